// Shell links made, read and removed through COM, in a folder of the test's own: the start-up
// folder itself is left to the scenarios.
#include "platform/win32/module_path.h"
#include "platform/win32/shell_startup_shortcuts.h"
#include "tests/platform/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace kvtx {
namespace {

using testing::TempFolder;

class ShellShortcutsTest : public ::testing::Test {
protected:
    win32::ShellStartupShortcuts shortcuts;
    TempFolder folder;
    const std::u16string program = win32::ExecutablePath();
};

TEST_F(ShellShortcutsTest, TheStartupFolderExistsAndTheProgramKnowsItsPath) {
    const auto startup = shortcuts.Folder();
    ASSERT_TRUE(startup.has_value());
    EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(*startup)));
    EXPECT_EQ(shortcuts.ProgramPath(), program);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(program)));
}

TEST_F(ShellShortcutsTest, ACreatedLinkIsListedReadBackAndRemoved) {
    const std::u16string link = folder.File(L"Korvatex.lnk");
    ASSERT_EQ(shortcuts.CreateLink(link, program, u"定型文管理"), platform::LinkCreation::Created);
    std::filesystem::create_directory(folder.Path() / L"subfolder");
    std::ofstream(folder.Path() / L"notes.txt") << "not a link";

    const auto names = shortcuts.FileNames(folder.Path().u16string());
    EXPECT_EQ(std::ranges::count(names, u"Korvatex.lnk"), 1);
    EXPECT_EQ(std::ranges::count(names, u"notes.txt"), 1);
    EXPECT_EQ(names.size(), 2u) << "no subfolder, no dot entries";

    EXPECT_EQ(shortcuts.LinkTarget(link), program);
    EXPECT_EQ(shortcuts.LinkTarget(folder.File(L"notes.txt")), std::nullopt);
    EXPECT_EQ(shortcuts.LinkTarget(folder.File(L"missing.lnk")), std::nullopt);

    EXPECT_TRUE(shortcuts.Remove(link));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(link)));
    EXPECT_FALSE(shortcuts.Remove(link));
}

TEST_F(ShellShortcutsTest, ALinkOverAnExistingFileReplacesIt) {
    const std::u16string link = folder.File(L"Korvatex.lnk");
    std::ofstream(std::filesystem::path(link)) << "an older file of that name";
    ASSERT_EQ(shortcuts.CreateLink(link, program, u"定型文管理"), platform::LinkCreation::Created);
    EXPECT_EQ(shortcuts.LinkTarget(link), program);
}

TEST_F(ShellShortcutsTest, ALinkInAFolderThatDoesNotExistIsReportedUnsaved) {
    const std::u16string link = folder.File(L"missing\\Korvatex.lnk");
    EXPECT_EQ(shortcuts.CreateLink(link, program, u"定型文管理"), platform::LinkCreation::NotSaved);
    EXPECT_TRUE(shortcuts.FileNames(folder.File(L"missing")).empty());
}

} // namespace
} // namespace kvtx
