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

} // namespace
} // namespace kvtx
