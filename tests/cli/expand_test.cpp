#include "tests/cli/cli_fixture.h"

namespace kvtx::testing {
namespace {

class ExpandTest : public CliTest {};

TEST_F(ExpandTest, FillsEveryFieldFromTheArguments) {
    const auto result = Kvtx({"expand", "--now", "2009-03-01T05:07:03", "--original", "選択",
                              "--input", "入力", "%Y/%M/%D %h:%m:%s [%original] [%input] 100%%"});
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, "2009/03/01 05:07:03 [選択] [入力] 100%");
}

TEST_F(ExpandTest, InputIsAskedOnceOnTheTerminal) {
    standardInput = "typed\nnot read\n";
    const auto result = Kvtx({"expand", "%input-%input"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "typed-typed");
    EXPECT_EQ(result.err, "%input: ");
}

TEST_F(ExpandTest, EndOfInputAnswersAsEscDoes) {
    const auto result = Kvtx({"expand", "[%input]"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "[]");
}

TEST_F(ExpandTest, NoPromptWithoutAnInputField) {
    standardInput = "unused\n";
    const auto result = Kvtx({"expand", "--original", "x", "%original"});
    EXPECT_EQ(result.out, "x");
    EXPECT_EQ(result.err, "");
}

TEST_F(ExpandTest, LineEndsComeBackInTheFormTheyCameIn) {
    EXPECT_EQ(Kvtx({"expand", "--original", "a\nb", "1\n%original"}).out, "1\na\nb");
    EXPECT_EQ(Kvtx({"expand", "--original", "a\r\nb", "1\n%original"}).out, "1\r\na\r\nb");
}

TEST_F(ExpandTest, MalformedTimesAreUsageErrors) {
    for (const char* now : {"2009-02-29T00:00:00", "2009-13-01T00:00:00", "2009-03-01 05:07:03",
                            "2009-03-01T24:00:00", "2009-3-1T5:7:3", "now"}) {
        const auto result = Kvtx({"expand", "--now", now, "%Y"});
        EXPECT_EQ(result.code, 2) << now;
        EXPECT_EQ(result.out, "") << now;
    }
    EXPECT_EQ(Kvtx({"expand", "--now", "2008-02-29T23:59:60", "%D %s"}).out, "29 60");
}

TEST_F(ExpandTest, JapaneseDateFieldsAndTheCaret) {
    auto result = Kvtx({"expand", "--now", "2026-12-09T08:30:00",
                        "%{元号}%{和暦年}年%{月}月%{日}日(%{曜日}) %M/%D %%{曜日} %{不明}"});
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, "令和8年12月9日(水) 12/09 %{曜日} %{不明}");
    EXPECT_EQ(Kvtx({"expand", "--now", "2019-04-30T23:59:59", "%{元号}%{和暦年}"}).out, "平成31");
    EXPECT_EQ(Kvtx({"expand", "--now", "2019-05-01T00:00:00", "%{元号}%{和暦年}"}).out, "令和1");
    // The caret field gives nothing unless --caret asks to see where it is.
    EXPECT_EQ(Kvtx({"expand", "--original", "田中", "%original様\n%{カーソル}\n以上"}).out,
              "田中様\n\n以上");
    result = Kvtx({"expand", "--original", "田中", "--caret", "|",
                   "%original様\n%{カーソル}\n以上%{カーソル}"});
    EXPECT_EQ(result.out, "田中様\n|\n以上");
    EXPECT_EQ(Kvtx({"expand", "--caret", "|", "no caret"}).out, "no caret");
}

TEST_F(ExpandTest, WithoutNowTheLocalClockIsUsed) {
    const auto result = Kvtx({"expand", "%Y"});
    ASSERT_EQ(result.out.size(), 4u);
    EXPECT_GE(std::stoi(result.out), 2024);
}

} // namespace
} // namespace kvtx::testing
