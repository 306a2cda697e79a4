// The pictures of the documents and the user guide, taken of the real program: scripts/screenshots
// copies them from the artifacts folder to docs/.

#include "tests/e2e/driver/environment.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/screenshot.h"
#include "tests/e2e/driver/target_app.h"
#include "tests/e2e/driver/tray.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/korvatex_app.h"

#include <gtest/gtest.h>

namespace kvtx::e2e {
namespace {

bool IsPng(const std::string& unixPath) {
    const auto bytes = ReadFileBytes(WindowsPathOfUnix(unixPath));
    return bytes && bytes->size() > 8 &&
           std::string(reinterpret_cast<const char*>(bytes->data()) + 1, 3) == "PNG";
}

// Starts the program and presses its hotkey while the user works in an application, which
// lives as long as the returned target.
TargetApp StartAndPress(KorvatexApp& app, const Hotkey& hotkey) {
    app.Start();
    EXPECT_TRUE(app.WaitUntilHidden());
    TargetApp target = TargetApp::Start();
    EXPECT_TRUE(target.Focus());
    MoveMouse({120, 80});
    PressHotkey(hotkey);
    return target;
}

TEST(Screenshots, PickerWithTheSampleStore) {
    ASSERT_FALSE(TrayShowsIcons()) << "an icon of an earlier scenario is still in the tray";
    KorvatexApp app;
    app.Start();
    ASSERT_TRUE(app.WaitUntilHidden());
    ASSERT_TRUE(app.ShowPickerAt({400, 300}));
    PressKey('B'); // the item with fields shows more of the preview
    ASSERT_TRUE(WaitUntil("item b", [&] { return app.Picker().item == 1; }));
    // Away from the picker, so that the pointer is not in the picture.
    MoveMouse({1000, 740});
    const std::string path = ArtifactsUnixDirectory() + "/picker.png";
    // The X server may not have drawn the window yet: a picture of one colour compresses to a
    // few hundred bytes, one with the picker's texts and banner to several kilobytes.
    const auto drawn = [&] {
        return SaveScreenRectangle(app.Picker().rect, path) && IsPng(path) &&
               ReadFileBytes(WindowsPathOfUnix(path))->size() > 2000;
    };
    EXPECT_TRUE(WaitUntil("a picture of the drawn picker", drawn));
    EXPECT_TRUE(app.ExitFromTray());
}

TEST(Screenshots, CategoryMenuWithAGroupOpen) {
    ASSERT_FALSE(TrayShowsIcons()) << "an icon of an earlier scenario is still in the tray";
    KorvatexApp app;
    const TargetApp target = StartAndPress(app, kMenuHotkey);
    // メール, then its group "mail", each once the level before it is shown.
    const WORD letters[] = {'C', 'A'};
    for (std::size_t level = 0; level < 2; ++level) {
        ASSERT_TRUE(WaitUntil("menu level " + std::to_string(level + 1),
                              [&] { return app.MenuTakesKeys(level + 1); }));
        PressKey(letters[level]);
    }
    ASSERT_TRUE(WaitUntil("the group's menu", [&] { return app.VisibleMenus().size() == 3; }));
    RECT all{};
    for (HWND menu : app.VisibleMenus()) {
        RECT rect{};
        ::GetWindowRect(menu, &rect);
        ::UnionRect(&all, &all, &rect);
    }
    MoveMouse({1000, 740});
    const std::string path = ArtifactsUnixDirectory() + "/category-menu.png";
    ASSERT_TRUE(SaveScreenRectangle(all, path));
    EXPECT_TRUE(IsPng(path));
    for (int level = 0; level < 3; ++level) {
        PressKey(VK_ESCAPE);
    }
    ASSERT_TRUE(WaitUntil("the menu to close", [&] { return app.VisibleMenu() == nullptr; }));
    EXPECT_TRUE(app.ExitFromTray());
}

TEST(Screenshots, SearchWindowWithAHiraganaQuery) {
    ASSERT_FALSE(TrayShowsIcons()) << "an icon of an earlier scenario is still in the tray";
    KorvatexApp app;
    const TargetApp target = StartAndPress(app, kSearchHotkey);
    HWND window = app.WaitForDialog(u"検索");
    ASSERT_NE(window, nullptr);
    // Typed in hiragana, it finds the category メール's three items.
    TypeText(u"めーる");
    ASSERT_TRUE(WaitUntil("the matches of めーる", [&] {
        return ::SendMessageW(::GetDlgItem(window, 1041), LB_GETCOUNT, 0, 0) == 3;
    }));
    MoveMouse({1000, 740});
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const std::string path = ArtifactsUnixDirectory() + "/search.png";
    const auto drawn = [&] {
        return SaveScreenRectangle(rect, path) && IsPng(path) &&
               ReadFileBytes(WindowsPathOfUnix(path))->size() > 2000;
    };
    EXPECT_TRUE(WaitUntil("a picture of the drawn search window", drawn));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil("the search window to close", [&] { return !::IsWindow(window); }));
    EXPECT_TRUE(app.ExitFromTray());
}

} // namespace
} // namespace kvtx::e2e
