#include "store/file_names.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

TEST(CategoryFileIdTest, ReadsBackExactlyTheNamesCategoryFileNameWrites) {
    for (const std::int32_t id : {0, 26, 0xFFFFF, 0x100000, 0x7FFFFFFF}) {
        EXPECT_EQ(CategoryFileId(CategoryFileName(id)), id) << id;
    }
}

TEST(CategoryFileIdTest, RefusesEveryOtherName) {
    for (const std::u16string_view name :
         {u"kvtx_0001.dat", u"kvtx_0001A.dat", u"kvtx_000001.dat", u"kvtx_80000000.dat",
          u"kvtx_fffffffff.dat", u"kvtx_index.dat", u"kvtx_00000.DAT", u"xvtx_00000.dat",
          u"kvtx_00000.dat ", u"kvtx_-0001.dat", u""}) {
        EXPECT_FALSE(CategoryFileId(name).has_value()) << std::string(name.begin(), name.end());
    }
}

TEST(SyncServiceCopyTest, TellsTheCopiesServicesLeaveFromStoreFilesAndStrangers) {
    const std::pair<std::u16string_view, bool> names[] = {
        {u"kvtx_00000 (conflicted copy).dat", true},
        {u"kvtx_0001a (Taro's conflicted copy 2026-12-09).dat", true},
        {u"kvtx_00000-PC2.dat", true},
        {u"KVTX_INDEX-DESKTOP-1.DAT", true},
        {u"kvtx_index (1).dat", true},
        {u"kvtx_00003.sync-conflict-20261209-101500-ABCDEFG.dat", true},
        // The store's own files, and names that are no store file's copy.
        {u"kvtx_index.dat", false},
        {u"kvtx_00000.dat", false},
        {u"kvtx_100000.dat", false},
        {u"kvtx_0000a1.dat", false},
        {u"kvtx_00000.dat.kvtxtmp", false},
        {u"kvtx_abc-PC2.dat", false},
        {u"kvtx_history.dat", false},
        {u"notes.dat", false},
    };
    for (const auto& [name, copy] : names) {
        EXPECT_EQ(IsSyncServiceCopy(name), copy) << std::string(name.begin(), name.end());
    }
}

} // namespace
} // namespace kvtx
