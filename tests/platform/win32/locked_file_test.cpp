// Windows lets another handle hold a file so that it cannot be replaced; the write must then
// report failure and leave the file as it was.
#include "platform/file_system.h"
#include "platform/win32/unique_handle.h"
#include "tests/platform/temp_folder.h"

#include <gtest/gtest.h>
#include <thread>
#include <windows.h>

namespace kvtx {
namespace {

using testing::TempFolder;

std::vector<std::byte> Bytes(std::string_view text) {
    const auto bytes = std::as_bytes(std::span(text));
    return {bytes.begin(), bytes.end()};
}

class LockedFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(files.WriteFile(path, Bytes("old store"))); }

    win32::FileHandle Hold(DWORD shareMode) {
        return win32::FileHandle(::CreateFileW(target.c_str(), GENERIC_READ, shareMode, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    bool TemporaryLeft() const {
        return std::filesystem::exists(folder.Path() / L"kvtx_00000.dat.kvtxtmp");
    }

    platform::FileSystem& files = platform::NativeFileSystem();
    TempFolder folder;
    const std::filesystem::path target = folder.Path() / L"kvtx_00000.dat";
    const std::u16string path = target.u16string();
};

TEST_F(LockedFileTest, AFileHeldWithoutSharingIsNotReplaced) {
    {
        const auto holder = Hold(0);
        ASSERT_TRUE(holder.valid());
        EXPECT_FALSE(files.WriteFile(path, Bytes("new store")));
        EXPECT_FALSE(TemporaryLeft());
    }
    EXPECT_EQ(files.ReadFile(path, 100), Bytes("old store"));
}

TEST_F(LockedFileTest, AFileHeldForReadingOnlyIsNotReplacedEither) {
    {
        // Sharing reads but not deletion: a replace would delete the file under the reader.
        const auto holder = Hold(FILE_SHARE_READ);
        ASSERT_TRUE(holder.valid());
        EXPECT_FALSE(files.WriteFile(path, Bytes("new store")));
        EXPECT_FALSE(TemporaryLeft());
    }
    EXPECT_EQ(files.ReadFile(path, 100), Bytes("old store"));
}

TEST_F(LockedFileTest, AReadOnlyFileIsNotReplaced) {
    // As a store copied from a read-only medium or marked read-only by the user is.
    ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(files.WriteFile(path, Bytes("new store")));
    EXPECT_FALSE(TemporaryLeft());
    EXPECT_EQ(files.ReadFile(path, 100), Bytes("old store"));
    ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL));
}

TEST_F(LockedFileTest, AHolderThatLetsGoWithinAMomentDoesNotFailTheWrite) {
    auto holder = Hold(0);
    ASSERT_TRUE(holder.valid());
    std::thread release([&holder] {
        ::Sleep(100);
        holder.reset();
    });
    EXPECT_TRUE(files.WriteFile(path, Bytes("new store")));
    release.join();
    EXPECT_EQ(files.ReadFile(path, 100), Bytes("new store"));
}

TEST_F(LockedFileTest, OnceTheHolderLetsGoTheWriteSucceeds) {
    Hold(0).reset();
    EXPECT_TRUE(files.WriteFile(path, Bytes("new store")));
    EXPECT_EQ(files.ReadFile(path, 100), Bytes("new store"));
}

} // namespace
} // namespace kvtx
