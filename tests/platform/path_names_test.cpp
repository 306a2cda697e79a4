#include "platform/path_names.h"

#include <gtest/gtest.h>

namespace kvtx::platform {
namespace {

TEST(FileStem, NameWithoutFolderAndLastExtension) {
    EXPECT_EQ(FileStem(u"C:\\Tools\\Phrases\\korvatex.exe"), u"korvatex");
    EXPECT_EQ(FileStem(u"C:\\renamed copy.v2.exe"), u"renamed copy.v2");
    EXPECT_EQ(FileStem(u"/opt/kvtx/korvatex"), u"korvatex");
    EXPECT_EQ(FileStem(u"C:korvatex.exe"), u"korvatex");
    EXPECT_EQ(FileStem(u"C:\\dir.with.dots\\program"), u"program");
    EXPECT_EQ(FileStem(u"C:\\.hidden"), u".hidden");
    EXPECT_EQ(FileStem(u""), u"");
}

} // namespace
} // namespace kvtx::platform
