#include "app/win32/phrase_app.h"

#include "app/win32/extensions.h"
#include "app/win32/resident_dialog_window.h"
#include "platform/path_names.h"
#include "platform/win32/module_path.h"
#include "platform/win32/registry_profile.h"
#include "platform/win32/ui/handles.h"

#include <commctrl.h>

namespace kvtx::app::win32 {

bool PhraseApp::InitInstance() {
    kvtx::win32::MutexHandle mutex(::CreateMutexW(nullptr, TRUE, L"korvatexmtx"));
    // Another instance holds the name: end silently, leaving it as it is.
    if (!mutex || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        return false;
    }
    // The settings follow the executable's name, so a renamed copy keeps its own.
    kvtx::win32::RegistryProfile profile(u"Dova Studio",
                                         platform::FileStem(kvtx::win32::ExecutablePath()));

    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    auto dialog = std::make_unique<ResidentDialogWindow>(profile);
    InstallExtensions(*dialog);
    dialog->RunModal(nullptr);
    // From here a new instance may start, while this one is still taking its window down.
    mutex.reset();
    dialog.reset();
    return false;
}

} // namespace kvtx::app::win32
