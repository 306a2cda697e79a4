#pragma once

// The phrase editor as a user works it: opened from the picker's Edit button, driven with mouse
// clicks and typed keys, read back through its controls.

#include "tests/e2e/korvatex/korvatex_app.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace kvtx::e2e {

namespace editor {
inline constexpr int kClose = 1;
inline constexpr int kItems = 1000;
inline constexpr int kText = 1001;
inline constexpr int kCategories = 1002;
inline constexpr int kCategoryAdd = 1004;
inline constexpr int kCategoryDelete = 1005;
inline constexpr int kCategoryUp = 1006;
inline constexpr int kCategoryDown = 1007;
inline constexpr int kCategoryRename = 1008;
inline constexpr int kItemAdd = 1009;
inline constexpr int kItemRename = 1010;
inline constexpr int kItemDelete = 1011;
inline constexpr int kItemUp = 1012;
inline constexpr int kItemDown = 1013;
inline constexpr int kKind = 1014;
inline constexpr int kSteps = 1015;
inline constexpr int kStepAdd = 1016;
inline constexpr int kStepChange = 1017;
inline constexpr int kStepDelete = 1018;
inline constexpr int kStepUp = 1019;
inline constexpr int kStepDown = 1020;
inline constexpr int kStepKind = 1021;
inline constexpr int kA = 1022;
inline constexpr int kB = 1023;
inline constexpr int kC = 1024;
} // namespace editor

// What the editor shows, read in one go.
struct EditorView {
    std::vector<std::u16string> categories;
    int category = -1;
    std::vector<std::u16string> items;
    int item = -1;
    int kind = -1;
    std::u16string text;
    bool textVisible = false;
    bool stepsVisible = false;
    std::vector<std::u16string> steps;
    int step = -1;
    int stepKind = -1;
    std::u16string a, b, c;
    bool cEnabled = false;
};

class EditorWindow {
public:
    explicit EditorWindow(KorvatexApp& app) : app_(app) {}

    // Shows the picker, clicks its Edit button and waits for the editor, which must be shown as
    // a modal dialog over the picker.
    testing::AssertionResult Open();
    // Opens the editor when it has something to tell first: the message box it shows at opening
    // must be modal over it; it is answered with OK, and then the editor must be shown as Open
    // wants it. The message's text, or empty (and a failure) when it did not come so.
    std::u16string OpenPastMessage();
    HWND Window() const { return window_; }
    HWND Control(int id) const;
    EditorView View() const;

    void ClickControl(int id);
    // Clicks entry `index` of a list box.
    void ClickListEntry(int id, int index);
    // Moves a drop-down combo box's selection with the arrow keys while it is closed, one
    // selection change per key, as a user does with the keyboard.
    bool StepComboTo(int id, int index);
    // Clicks into an edit box, selects everything in it and types the text over it.
    void TypeInto(int id, const std::u16string& text);

    // Answers the name dialog that a button opened, which must be modal over the editor: types
    // the name and confirms it.
    bool AnswerName(const std::u16string& name);
    // The text of the message box the program shows now, which must be modal over the editor;
    // empty when there is none in time.
    std::u16string WaitForMessage();
    // Clicks this button of the message box shown now and waits until it is gone.
    bool AnswerMessage(int button);

    // Clicks "閉じる" and waits until the editor is gone.
    bool Close();

    // Hides the picker the editor came from, as Esc does, so that the program is idle again.
    bool HidePicker();

    // Waits until the editor shows what the predicate wants.
    ::testing::AssertionResult WaitFor(const std::string& what,
                                       const std::function<bool(const EditorView&)>& wanted);

private:
    // Shows the picker and presses its Edit button.
    testing::AssertionResult PressEdit();
    // Waits for the editor, shown as a modal dialog over the picker.
    testing::AssertionResult Shown();

    KorvatexApp& app_;
    HWND window_ = nullptr;
};

} // namespace kvtx::e2e
