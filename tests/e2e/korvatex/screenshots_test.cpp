// The pictures of the README, taken of the real program: scripts/screenshots copies them from
// the artifacts folder to docs/.

#include "tests/e2e/driver/environment.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/screenshot.h"
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
    if (!PollUntil(drawn, 5s)) {
        // Wine without a window manager now and then leaves the X window of a window restored
        // from minimized unmapped, while Windows' own state says it is shown; shown again from
        // hidden, it is mapped.
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(WaitUntil("the picker to hide", [&] { return !app.Picker().visible; }));
        ASSERT_TRUE(app.ShowPickerAt({400, 300}));
        MoveMouse({1000, 740});
    }
    EXPECT_TRUE(WaitUntil("a picture of the drawn picker", drawn));
    EXPECT_TRUE(app.ExitFromTray());
}

} // namespace
} // namespace kvtx::e2e
