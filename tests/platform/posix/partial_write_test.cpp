// A write that the system cuts short after any number of bytes, as a full disk does, fails and
// leaves the previous file whole with no temporary file beside it.
#include "platform/file_system.h"
#include "tests/platform/posix/file_size_limit.h"
#include "tests/platform/temp_folder.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

std::vector<std::byte> Pattern(std::size_t size, int seed) {
    std::vector<std::byte> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::byte>(i * 31 + static_cast<std::size_t>(seed));
    }
    return bytes;
}

TEST(PartialWriteTest, AWriteCutShortAtAnyLengthLeavesThePreviousFileWhole) {
    testing::TempFolder folder;
    const std::filesystem::path target = folder.Path() / u"kvtx_00000.dat";
    platform::FileSystem& files = platform::NativeFileSystem();
    const std::vector<std::byte> previous = Pattern(90'000, 1);
    ASSERT_TRUE(files.WriteFile(target.u16string(), previous));

    for (const rlim_t limit : {0UL, 1UL, 511UL, 4096UL, 65'536UL, 89'999UL, 90'000UL, 119'999UL}) {
        bool written = true;
        {
            const testing::FileSizeLimit cut(limit);
            written = files.WriteFile(target.u16string(), Pattern(120'000, 2));
        }
        EXPECT_FALSE(written) << "cut at " << limit;
        EXPECT_EQ(testing::FileBytes(target), previous) << "cut at " << limit;
        EXPECT_EQ(folder.EntryCount(), 1u)
            << "a temporary file stayed behind after the cut at " << limit;
    }
    EXPECT_TRUE(files.WriteFile(target.u16string(), Pattern(120'000, 2)));
    EXPECT_EQ(testing::FileBytes(target), Pattern(120'000, 2));
}

} // namespace
} // namespace kvtx
