#include "tests/e2e/korvatex/editor_window.h"

#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/message_boxes.h"
#include "tests/e2e/driver/modal_dialogs.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/waiting.h"

namespace kvtx::e2e {
namespace {

constexpr int kNameEdit = 1005;

LRESULT Ask(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(control, message, wParam, lParam);
}

// Keys rather than EM_SETSEL: a message sent now would overtake a click still in the input queue.
void ReplaceFocusedText(const std::u16string& text) {
    PressChord({VK_CONTROL, VK_HOME});
    PressChord({VK_CONTROL, VK_SHIFT, VK_END});
    TypeText(text);
}

} // namespace

testing::AssertionResult EditorWindow::PressEdit() {
    if (auto shown = app_.ShowPickerAt({400, 300}); !shown) {
        return shown;
    }
    // The mnemonic rather than a click: the picker may still be moving to the cursor.
    PressChord({VK_MENU, 'E'});
    return testing::AssertionSuccess();
}

testing::AssertionResult EditorWindow::Shown() {
    window_ = app_.WaitForDialog(u"編集");
    if (window_ == nullptr) {
        return testing::AssertionFailure() << "the editor did not open";
    }
    return ShowsAsModalOver(window_, app_.MainWindow());
}

testing::AssertionResult EditorWindow::Open() {
    if (auto pressed = PressEdit(); !pressed) {
        return pressed;
    }
    return Shown();
}

std::u16string EditorWindow::OpenPastMessage() {
    if (const auto pressed = PressEdit(); !pressed) {
        ADD_FAILURE() << pressed.message();
        return u"";
    }
    const auto box = app_.WaitForMessageBox();
    if (!box) {
        return u"";
    }
    // The editor may still be hidden behind its first message, so its window is found through
    // the box's owner.
    HWND owner = ::GetWindow(box->window, GW_OWNER);
    EXPECT_EQ(CaptionOf(owner), u"編集") << "the message at opening belongs to the editor";
    EXPECT_TRUE(ShowsAsModalOver(box->window, owner));
    if (const auto answered = app_.AnswerMessage(IDOK); !answered) {
        ADD_FAILURE() << answered.message();
        return u"";
    }
    if (const auto shown = Shown(); !shown) {
        ADD_FAILURE() << shown.message();
        return u"";
    }
    return box->text;
}

HWND EditorWindow::Control(int id) const {
    return ChildById(window_, id);
}

EditorView EditorWindow::View() const {
    EditorView view;
    view.categories = ComboBoxItems(Control(editor::kCategories));
    view.category = ComboBoxSelection(Control(editor::kCategories));
    view.items = ListBoxItems(Control(editor::kItems));
    view.item = ListBoxSelection(Control(editor::kItems));
    view.kind = ComboBoxSelection(Control(editor::kKind));
    view.text = ControlText(Control(editor::kText));
    view.textVisible = IsControlVisible(Control(editor::kText));
    view.stepsVisible = IsControlVisible(Control(editor::kSteps));
    view.steps = ListBoxItems(Control(editor::kSteps));
    view.step = ListBoxSelection(Control(editor::kSteps));
    view.stepKind = ComboBoxSelection(Control(editor::kStepKind));
    view.a = ControlText(Control(editor::kA));
    view.b = ControlText(Control(editor::kB));
    view.c = ControlText(Control(editor::kC));
    view.cEnabled = IsControlEnabled(Control(editor::kC));
    return view;
}

::testing::AssertionResult
EditorWindow::WaitFor(const std::string& what,
                      const std::function<bool(const EditorView&)>& wanted) {
    return WaitUntil("the editor to show " + what, [&] { return wanted(View()); });
}

void EditorWindow::ClickControl(int id) {
    Click(CenterOf(Control(id)));
}

void EditorWindow::ClickListEntry(int id, int index) {
    HWND list = Control(id);
    const auto height = static_cast<int>(Ask(list, LB_GETITEMHEIGHT));
    const auto top = static_cast<int>(Ask(list, LB_GETTOPINDEX));
    POINT point{8, (index - top) * height + height / 2};
    ::ClientToScreen(list, &point);
    Click(point);
}

bool EditorWindow::StepComboTo(int id, int index) {
    HWND combo = Control(id);
    // A click opens the list and gives the combo the focus; Esc closes it unchanged.
    Click(CenterOf(combo));
    if (!WaitUntil("the drop-down list to open", [&] { return Ask(combo, CB_GETDROPPEDSTATE); })) {
        return false;
    }
    PressKey(VK_ESCAPE);
    if (!WaitUntil("the drop-down list to close",
                   [&] { return !Ask(combo, CB_GETDROPPEDSTATE); })) {
        return false;
    }
    while (ComboBoxSelection(combo) != index) {
        const int before = ComboBoxSelection(combo);
        PressKey(before < index ? VK_DOWN : VK_UP);
        if (!WaitUntil("the combo box selection to move",
                       [&] { return ComboBoxSelection(combo) != before; })) {
            return false;
        }
    }
    return true;
}

void EditorWindow::TypeInto(int id, const std::u16string& text) {
    HWND edit = Control(id);
    Click(CenterOf(edit));
    // Keys typed before the click has moved the focus would go to the control that had it.
    if (WaitUntil("the keyboard focus in the edit box", [&] { return HasKeyboardFocus(edit); })) {
        ReplaceFocusedText(text);
    }
}

bool EditorWindow::AnswerName(const std::u16string& name) {
    HWND dialog = app_.WaitForDialog(u"名称");
    if (dialog == nullptr) {
        return false;
    }
    if (const auto modal = ShowsAsModalOver(dialog, window_); !modal) {
        ADD_FAILURE() << modal.message();
        return false;
    }
    // The dialog starts with the focus in its edit box.
    HWND edit = ChildById(dialog, kNameEdit);
    ReplaceFocusedText(name);
    if (!WaitUntil("the name to arrive in the name dialog",
                   [&] { return ControlText(edit) == name; })) {
        return false;
    }
    // Enter presses the default OK: a click could land on the window beneath while the dialog
    // is still being placed over the editor.
    PressKey(VK_RETURN);
    return WaitUntil("the name dialog to close", [&] { return !::IsWindow(dialog); });
}

std::u16string EditorWindow::WaitForMessage() {
    return app_.WaitForMessage(window_);
}

bool EditorWindow::AnswerMessage(int button) {
    return app_.AnswerMessage(button);
}

bool EditorWindow::HidePicker() {
    return app_.HidePicker();
}

bool EditorWindow::Close() {
    ClickControl(editor::kClose);
    return WaitUntil("the editor to close", [this] { return !::IsWindow(window_); });
}

} // namespace kvtx::e2e
