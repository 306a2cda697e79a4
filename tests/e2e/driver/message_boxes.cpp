#include "tests/e2e/driver/message_boxes.h"

#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/top_level_windows.h"

namespace kvtx::e2e {
namespace {

struct ChildKinds {
    int buttons = 0;
    int others = 0;
};

BOOL CALLBACK CountChild(HWND child, LPARAM context) {
    auto& kinds = *reinterpret_cast<ChildKinds*>(context);
    const std::u16string name = ClassOf(child);
    if (name == u"Button") {
        ++kinds.buttons;
    } else if (name != u"Static") {
        ++kinds.others;
    }
    return TRUE;
}

} // namespace

std::vector<MessageBoxWindow> MessageBoxesOf(DWORD processId) {
    std::vector<MessageBoxWindow> boxes;
    for (HWND dialog : FindTopLevelWindows({u"#32770", std::nullopt, processId, true})) {
        ChildKinds kinds;
        ::EnumChildWindows(dialog, CountChild, reinterpret_cast<LPARAM>(&kinds));
        const auto texts = StaticTexts(dialog);
        if (kinds.buttons == 0 || kinds.others != 0 || texts.empty()) {
            continue;
        }
        boxes.push_back({dialog, CaptionOf(dialog), texts.front()});
    }
    return boxes;
}

void ClickButton(HWND dialog, int id) {
    Click(CenterOf(ChildById(dialog, id)));
}

} // namespace kvtx::e2e
