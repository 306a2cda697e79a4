// The release zip as a user gets it: unpacked into a folder of the run's fresh prefix, its kvtx
// fills the store beside the program, and the program starts from there with its hotkeys.
#include "platform/utf.h"
#include "tests/e2e/driver/environment.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/hotkeys.h"
#include "tests/e2e/driver/process.h"
#include "tests/e2e/driver/tray.h"
#include "tests/e2e/driver/unix_command.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/korvatex_app.h"

#include <gtest/gtest.h>

namespace kvtx::e2e {
namespace {

using namespace std::chrono_literals;

constexpr char kStoreJson[] = R"({
  "categories": [
    { "name": "挨拶", "items": [ { "name": "おはよう", "kind": "text", "text": "おはようございます。" } ] },
    { "name": "メール", "items": [ { "name": "署名", "kind": "text", "text": "山田" } ] }
  ]
})";

// The zip's own folder name: the archive holds one folder named like the file.
std::string PackageName() {
    std::string name = PackageUnixPath();
    name = name.substr(name.rfind('/') + 1);
    return name.substr(0, name.size() - std::string(".zip").size());
}

TEST(PackageTest, TheUnpackedZipHoldsThePartsAndStartsFromItsFolder) {
    ASSERT_FALSE(TrayShowsIcons()) << "an icon of an earlier scenario is still in the tray";
    const std::string unpacked = WinePrefixUnixDirectory() + "/drive_c/Korvatex";
    const auto unzip =
        RunUnixCommand("rm -rf " + ShellQuote(unpacked) + " && unzip -q " +
                           ShellQuote(PackageUnixPath()) + " -d " + ShellQuote(unpacked),
                       60s);
    ASSERT_TRUE(unzip.has_value()) << "unzip did not end";
    ASSERT_EQ(unzip->status, 0) << unzip->output;

    const std::u16string folder = u"C:\\Korvatex\\" + platform::Utf8ToUtf16(PackageName()) + u"\\";
    for (const char16_t* part :
         {u"korvatex.exe", u"DVLIBREGEX.dll", u"kvtx.exe", u"docs\\userguide-ja.html",
          u"docs\\picker.png", u"docs\\category-menu.png", u"docs\\editor.png", u"docs\\search.png",
          u"licences\\pcre2.txt", u"licences\\cli11.txt", u"licences\\nlohmann-json.txt",
          u"licences\\mingw-w64-runtime.txt", u"licences\\gcc-runtime.txt"}) {
        EXPECT_TRUE(FileExists(folder + part)) << platform::Utf16ToUtf8(part) << " is missing";
    }

    WriteTextFile(folder + u"store.json", kStoreJson);
    Process kvtx = Process::Start(folder + u"kvtx.exe", u"import \"" + folder + u"store.json\"");
    ASSERT_TRUE(kvtx.WaitForExit(30s)) << "kvtx import did not end";
    ASSERT_EQ(kvtx.ExitCode(), 0u);
    EXPECT_TRUE(FileExists(folder + u"kvtx_index.dat"));

    KorvatexApp app(KorvatexApp::Installed{folder, 2});
    app.Start();
    ASSERT_TRUE(app.WaitUntilHidden());
    EXPECT_EQ(app.Picker().categories, (std::vector<std::u16string>{u"A:挨拶", u"B:メール"}));
    for (const Hotkey& hotkey : {kPickerHotkey, kMenuHotkey, kRegexHotkey}) {
        EXPECT_TRUE(HotkeyTakenElsewhere(hotkey.modifiers, hotkey.key))
            << "hotkey " << static_cast<char>(hotkey.key) << " not registered";
    }
    EXPECT_TRUE(app.ExitFromTray());
}

} // namespace
} // namespace kvtx::e2e
