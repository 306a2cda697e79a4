#include "settings/win32/application_keys_window.h"

#include "res/resource_ids.h"

namespace kvtx::settings::win32 {

ApplicationKeysWindow::ApplicationKeysWindow(platform::Profile& profile,
                                             std::u16string frontApplication)
    : Dialog(IDD_APPLICATION_KEYS), frontApplication_(std::move(frontApplication)),
      logic_({entries_, name_, value_}, profile, messages_) {
    HandleCommand(IDC_APPKEYS_LIST, LBN_SELCHANGE, [this] { logic_.OnEntrySelected(); });
    HandleCommand(IDC_APPKEYS_DELETE, BN_CLICKED, [this] { logic_.OnDelete(); });
}

bool ApplicationKeysWindow::OnInitDialog() {
    messages_.SetOwner(Window());
    entries_.Attach(Window(), IDC_APPKEYS_LIST);
    name_.Attach(Window(), IDC_APPKEYS_NAME);
    value_.Attach(Window(), IDC_APPKEYS_VALUE);
    logic_.OnInitDialog(frontApplication_);
    // The focus is the value box's, set by the logic.
    return false;
}

} // namespace kvtx::settings::win32
