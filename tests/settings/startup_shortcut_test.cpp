#include "settings/program_path_match.h"
#include "tests/settings/settings_fixture.h"

namespace kvtx {
namespace {

using namespace testing;

constexpr char16_t kRegister[] = u"スタートアップに登録";
constexpr char16_t kUnregister[] = u"スタートアップから解除";

class StartupShortcutTest : public SettingsFixture {
protected:
    std::u16string InFolder(const std::u16string& name) const {
        return *shortcuts.folder + u"\\" + name;
    }
    void Open() {
        dialog.SetValues(app::ResidentSettings{});
        dialog.OnInitDialog();
    }
};

TEST_F(StartupShortcutTest, ClickCreatesKorvatexLnkToTheProgramAndTheCaptionOffersRemoval) {
    shortcuts.files[u"other.lnk"] = {u"C:\\Tools\\editor.exe", u""};
    shortcuts.files[u"desktop.ini"] = {FakeStartupShortcuts::kNotALink, u""};
    Open();
    EXPECT_EQ(startup.Text(), kRegister);
    dialog.ToggleStartup();
    ASSERT_TRUE(shortcuts.files.contains(u"Korvatex.lnk"));
    EXPECT_EQ(shortcuts.files[u"Korvatex.lnk"].target, shortcuts.programPath);
    EXPECT_EQ(shortcuts.files[u"Korvatex.lnk"].description, u"定型文管理");
    EXPECT_EQ(shortcuts.createdAt, std::vector<std::u16string>{InFolder(u"Korvatex.lnk")});
    EXPECT_EQ(startup.Text(), kUnregister);
    EXPECT_TRUE(messages.shown.empty());
    // A second click takes it away again; the other files stay.
    dialog.ToggleStartup();
    EXPECT_FALSE(shortcuts.files.contains(u"Korvatex.lnk"));
    EXPECT_EQ(shortcuts.files.size(), 2u);
    EXPECT_EQ(startup.Text(), kRegister);
}

TEST_F(StartupShortcutTest, ALinkOfAnyNameToTheProgramInOtherLettersCountsAndIsRemoved) {
    shortcuts.files[u"自動起動"] = {u"c:\\PROGRAM FILES\\korvatex\\KORVATEX.EXE", u""};
    shortcuts.files[u"other.lnk"] = {u"C:\\Program Files\\Korvatex\\kvtx.exe", u""};
    Open();
    EXPECT_EQ(startup.Text(), kUnregister);
    dialog.ToggleStartup();
    EXPECT_EQ(shortcuts.removed, std::vector<std::u16string>{InFolder(u"自動起動")});
    EXPECT_TRUE(shortcuts.createdAt.empty());
    EXPECT_EQ(startup.Text(), kRegister);
    EXPECT_TRUE(shortcuts.files.contains(u"other.lnk"));
}

TEST_F(StartupShortcutTest, TwoMatchingLinksAreRemovedOnePerClick) {
    shortcuts.files[u"a.lnk"] = {shortcuts.programPath, u""};
    shortcuts.files[u"b.lnk"] = {shortcuts.programPath, u""};
    Open();
    dialog.ToggleStartup();
    EXPECT_EQ(shortcuts.files.size(), 1u);
    EXPECT_EQ(startup.Text(), kUnregister);
    dialog.ToggleStartup();
    EXPECT_TRUE(shortcuts.files.empty());
    EXPECT_EQ(startup.Text(), kRegister);
}

TEST_F(StartupShortcutTest, EachCreationFailureShowsItsMessageAndTheCaptionStays) {
    const std::pair<platform::LinkCreation, std::u16string> failures[] = {
        {platform::LinkCreation::NoLinkObject, u"ショートカット作成に失敗しました"},
        {platform::LinkCreation::NoFileInterface, u"登録に失敗しました"},
        {platform::LinkCreation::NotSaved, u"ショートカットの作成に失敗しました"},
    };
    Open();
    for (const auto& [failure, message] : failures) {
        messages.shown.clear();
        shortcuts.creation = failure;
        dialog.ToggleStartup();
        EXPECT_EQ(messages.shown, std::vector<std::u16string>{message});
        EXPECT_EQ(startup.Text(), kRegister);
    }
    EXPECT_TRUE(shortcuts.files.empty());
}

TEST_F(StartupShortcutTest, WithoutAStartupFolderCreationSaysSoAndNothingIsMade) {
    shortcuts.folder.reset();
    Open();
    EXPECT_EQ(startup.Text(), kRegister);
    dialog.ToggleStartup();
    EXPECT_EQ(messages.shown,
              std::vector<std::u16string>{u"スタートアップフォルダの取得に失敗しました"});
    EXPECT_TRUE(shortcuts.createdAt.empty());
}

TEST_F(StartupShortcutTest, ARefusedRemovalIsSilentAndTheCaptionStillOffersRemoval) {
    shortcuts.files[u"Korvatex.lnk"] = {shortcuts.programPath, u""};
    shortcuts.undeletable.insert(u"Korvatex.lnk");
    Open();
    dialog.ToggleStartup();
    EXPECT_EQ(shortcuts.removed.size(), 1u);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(startup.Text(), kUnregister);
}

TEST_F(StartupShortcutTest, WithoutItsOwnPathTheProgramClaimsNoLinkAndMakesNone) {
    shortcuts.programPath.clear();
    shortcuts.files[u"other.lnk"] = {u"C:\\Tools\\editor.exe", u""};
    Open();
    EXPECT_EQ(startup.Text(), kRegister);
    dialog.ToggleStartup();
    EXPECT_TRUE(shortcuts.removed.empty());
    EXPECT_TRUE(shortcuts.createdAt.empty());
    EXPECT_EQ(messages.shown, std::vector<std::u16string>{u"ショートカットの作成に失敗しました"});
    EXPECT_TRUE(shortcuts.files.contains(u"other.lnk"));
}

TEST(ProgramPathMatch, LettersFoldAsWindowsFileNamesDo) {
    const std::u16string program = settings::UpperCasePath(u"C:\\Users\\jörg\\ｋｖ\\korvatex.exe");
    EXPECT_EQ(program, u"C:\\USERS\\JÖRG\\ＫＶ\\KORVATEX.EXE");
    EXPECT_TRUE(settings::TargetContainsProgram(u"c:\\users\\JÖRG\\ｋＶ\\Korvatex.exe", program));
    EXPECT_FALSE(settings::TargetContainsProgram(u"C:\\Users\\jorg\\ｋｖ\\korvatex.exe", program));
    EXPECT_EQ(settings::UpperCasePath(u"÷ÿ漢字"), u"÷ÿ漢字");
}

} // namespace
} // namespace kvtx
