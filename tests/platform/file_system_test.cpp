// The file system of the machine itself: whole-file reads, and writes that replace a file only
// once the new one is complete.
#include "platform/file_system.h"
#include "tests/platform/temp_folder.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

using testing::FileBytes;
using testing::TempFolder;

std::vector<std::byte> Bytes(std::string_view text) {
    const auto bytes = std::as_bytes(std::span(text));
    return {bytes.begin(), bytes.end()};
}

// The writer's temporary file beside the target, by the name the implementation gives it.
std::filesystem::path TemporaryOf(const std::filesystem::path& target) {
    return target.parent_path() / (target.filename().u16string() + u".kvtxtmp");
}

class FileSystemTest : public ::testing::Test {
protected:
    platform::FileSystem& files = platform::NativeFileSystem();
    TempFolder folder;
    const std::filesystem::path target = folder.Path() / u"kvtx_index.dat";
};

TEST_F(FileSystemTest, AWriteReplacesTheWholeFileAndLeavesNoTemporaryBehind) {
    ASSERT_TRUE(files.WriteFile(target.u16string(), Bytes("a longer first version")));
    ASSERT_TRUE(files.WriteFile(target.u16string(), Bytes("short")));
    EXPECT_EQ(FileBytes(target), Bytes("short"));
    EXPECT_FALSE(std::filesystem::exists(TemporaryOf(target)));
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST_F(FileSystemTest, ReadsAtMostTheBytesAskedFor) {
    std::vector<std::byte> big(200000);
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<std::byte>(i * 7);
    }
    ASSERT_TRUE(files.WriteFile(target.u16string(), big));
    EXPECT_EQ(files.ReadFile(target.u16string(), big.size() + 1), big);
    const auto prefix = files.ReadFile(target.u16string(), 70000);
    ASSERT_TRUE(prefix.has_value());
    EXPECT_EQ(*prefix, std::vector<std::byte>(big.begin(), big.begin() + 70000));
    EXPECT_FALSE(files.ReadFile(folder.File(u"missing.dat"), 10).has_value());
}

TEST_F(FileSystemTest, WhenTheNewFileCannotBeCreatedTheOldOneStaysWhole) {
    ASSERT_TRUE(files.WriteFile(target.u16string(), Bytes("old store")));
    // A folder where the temporary file must go: creating it fails even for root.
    std::filesystem::create_directory(TemporaryOf(target));

    EXPECT_FALSE(files.WriteFile(target.u16string(), Bytes("new store")));
    EXPECT_EQ(FileBytes(target), Bytes("old store"));
}

TEST_F(FileSystemTest, WhenTheReplaceFailsTheTemporaryFileIsRemoved) {
    // A folder cannot be replaced by a file.
    std::filesystem::create_directories(target / u"inside");

    EXPECT_FALSE(files.WriteFile(target.u16string(), Bytes("new store")));
    EXPECT_TRUE(std::filesystem::is_directory(target / u"inside"));
    EXPECT_FALSE(std::filesystem::exists(TemporaryOf(target)));
}

TEST_F(FileSystemTest, AWriteIntoAMissingFolderFailsAndCreatesNothing) {
    EXPECT_FALSE(files.WriteFile(folder.File(u"no such folder/kvtx_index.dat"), Bytes("x")));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / u"no such folder"));
}

TEST_F(FileSystemTest, JapaneseNamesExistAndAreRemoved) {
    const std::u16string path = folder.File(u"定型文 バックアップ.json");
    EXPECT_FALSE(files.Exists(path));
    ASSERT_TRUE(files.WriteFile(path, Bytes("{}")));
    EXPECT_TRUE(files.Exists(path));
    EXPECT_EQ(files.ReadFile(path, 100), Bytes("{}"));
    EXPECT_TRUE(files.Remove(path));
    EXPECT_FALSE(files.Exists(path));
    EXPECT_FALSE(files.Remove(path));
}

} // namespace
} // namespace kvtx
