#include "tests/cli/cli_fixture.h"

namespace kvtx::testing {
namespace {

class ArgumentsTest : public CliTest {
protected:
    void SaveOneCategoryIn(const std::u16string& dir) {
        StoreBuilder().Category(u"ここ", u"kvtx_00000.dat").Save(files, dir);
    }
};

TEST_F(ArgumentsTest, TheStoreDefaultsToTheFolderOfTheExecutable) {
    SaveOneCategoryIn(kStoreDir);
    EXPECT_EQ(Kvtx({"list"}).out, "A:ここ\n");
}

TEST_F(ArgumentsTest, DirNamesAnotherFolderBeforeOrAfterTheCommand) {
    SaveOneCategoryIn(u"/別の/店/");
    EXPECT_EQ(Kvtx({"--dir", "/別の/店/", "list"}).out, "A:ここ\n");
    EXPECT_EQ(Kvtx({"list", "--dir", "/別の/店/"}).out, "A:ここ\n");
}

TEST_F(ArgumentsTest, DirWithoutATrailingSeparatorGetsOne) {
#ifdef _WIN32
    const std::u16string dir = u"D:\\店\\";
    const std::string argument = "D:\\店";
#else
    const std::u16string dir = u"/srv/店/";
    const std::string argument = "/srv/店";
#endif
    SaveOneCategoryIn(dir);
    EXPECT_EQ(Kvtx({"--dir", argument, "list"}).out, "A:ここ\n");
}

TEST_F(ArgumentsTest, UsageErrorsExitWithTwoAndSayWhy) {
    const auto none = Kvtx({});
    EXPECT_EQ(none.code, 2);
    EXPECT_NE(none.err.find("subcommand is required"), std::string::npos) << none.err;

    const auto noFile = Kvtx({"import"});
    EXPECT_EQ(noFile.code, 2);
    EXPECT_NE(noFile.err.find("FILE is required"), std::string::npos) << noFile.err;

    const auto extra = Kvtx({"list", "extra"});
    EXPECT_EQ(extra.code, 2);
    EXPECT_EQ(files.writes, 0);
}

TEST_F(ArgumentsTest, HelpIsNoError) {
    const auto help = Kvtx({"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* command : {"list", "export", "import", "search", "--dir"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
}

TEST_F(ArgumentsTest, ArgumentsThatAreNotUtf8AreRefused) {
    const auto result = Kvtx({"--dir", "\xFF\xFE", "list"});
    EXPECT_EQ(result.code, 2);
    EXPECT_NE(result.err.find("argument 2 is not valid UTF-8"), std::string::npos) << result.err;
}

} // namespace
} // namespace kvtx::testing
