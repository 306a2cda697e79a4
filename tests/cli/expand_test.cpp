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

TEST_F(ExpandTest, WithoutNowTheLocalClockIsUsed) {
    const auto result = Kvtx({"expand", "%Y"});
    ASSERT_EQ(result.out.size(), 4u);
    EXPECT_GE(std::stoi(result.out), 2024);
}

} // namespace
} // namespace kvtx::testing
