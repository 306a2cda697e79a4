#include "cli/run.h"
#include "tests/fakes/fake_file_system.h"

#include <gtest/gtest.h>
#include <sstream>

namespace kvtx::testing {
namespace {

struct RegexRun {
    int code;
    std::string out;
    std::string err;
};

RegexRun KvtxRegex(const std::string& input, const std::vector<std::string>& arguments) {
    FakeFileSystem files;
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    std::vector<std::string> commandLine{"kvtx", "regex"};
    commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
    const int code = cli::Run(commandLine, {files, u"C:\\Korvatex\\", out, err, in});
    return {code, out.str(), err.str()};
}

TEST(KvtxRegex, SubstitutesStandardInputAsTheQuickTool) {
    const RegexRun run = KvtxRegex("山田 太郎\n鈴木 花子\n", {"(\\S+) (\\S+)", "$2 \\1"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "太郎 山田\n花子 鈴木\n");
    EXPECT_EQ(run.err, "");
}

TEST(KvtxRegex, LineEndsComeBackInTheInputsStyle) {
    EXPECT_EQ(KvtxRegex("a b\nc", {" ", "\\n"}).out, "a\nb\nc");
    EXPECT_EQ(KvtxRegex("a b\r\nc", {" ", "\\n"}).out, "a\r\nb\r\nc");
    // The library sees one LF per line end: \n in the pattern matches a CR LF of the input.
    EXPECT_EQ(KvtxRegex("one\r\ntwo\r\n", {"e\\nt", "e+t"}).out, "one+two\r\n");
    EXPECT_EQ(KvtxRegex("tab", {"a", "\\t"}).out, "t\tb");
    // Without CR LF in the input the result is written as it stands, a CR LF it makes included.
    EXPECT_EQ(KvtxRegex("a\rb\n", {"b", ""}).out, "a\r\n");
    EXPECT_EQ(KvtxRegex("x\r\r\ny\n", {"y", "z"}).out, "x\r\r\nz\r\n");
}

// Standard input is read in blocks of 65,536 bytes and output written in blocks of 32,768 units:
// a character across a block's end must come through whole, and a bad or cut-off one be refused
// wherever it lies.
TEST(KvtxRegex, LongTextComesThroughWholeAcrossBlocks) {
    for (std::size_t before = 65'533; before < 65'538; ++before) {
        const std::string padding(before, 'a');
        const RegexRun run = KvtxRegex(padding + "確認😀\n", {"確認", "承認"});
        EXPECT_EQ(run.out, padding + "承認😀\n") << before;
        EXPECT_NE(KvtxRegex(padding + "\xff確認", {"a", "b"}).code, 0) << before;
        EXPECT_NE(KvtxRegex(padding + "\xe7\xa2", {"a", "b"}).code, 0) << before;
    }
    for (std::size_t before = 32'766; before < 32'770; ++before) {
        const std::string text = std::string(before, 'a') + "😀b";
        EXPECT_EQ(KvtxRegex(text, {"x", "y"}).out, text) << before;
    }
}

TEST(KvtxRegex, AMalformedExpressionWritesTheMessageAndNothingElse) {
    for (const auto& [pattern, replacement] :
         std::vector<std::pair<std::string, std::string>>{{"(", "x"}, {"nomatch", "$"}}) {
        const RegexRun run = KvtxRegex("text\n", {pattern, replacement});
        EXPECT_NE(run.code, 0);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "正規表現の構文に誤りがあります\n");
    }
}

// Each is well-formed, so none may be reported as a syntax error.
TEST(KvtxRegex, WorkTheLibraryRefusesIsReportedWithItsReason) {
    std::string hostile;
    for (int i = 0; i < 20000; ++i) {
        hostile += "aaaaaaaaaaaaaaaa-b";
    }
    struct Refusal {
        std::string input;
        std::string pattern;
        std::string replacement;
        std::string message;
    };
    for (const Refusal& refusal : std::vector<Refusal>{
             {std::string(30, 'a') + "cb", "(a+)+b", "x",
              "正規表現の照合が複雑になりすぎたため中止しました。正規表現を見直してください"},
             {hostile, "(a+)+b", "x",
              "正規表現の処理に時間がかかりすぎたため中止しました。"
              "選択範囲を短くするか、正規表現を見直してください"},
             {"a", "a", std::string(600, 'x'), "置換した結果が長くなりすぎるため中止しました"},
             {"abc", "b", "\\x{0}",
              "NUL文字（文字コード0）を含む文字列は扱えないため中止しました"}}) {
        const RegexRun run = KvtxRegex(refusal.input, {refusal.pattern, refusal.replacement});
        EXPECT_EQ(run.code, 1) << refusal.pattern;
        EXPECT_EQ(run.out, "") << refusal.pattern;
        EXPECT_EQ(run.err, refusal.message + "\n");
    }
}

TEST(KvtxRegex, RefusesInputThatIsNotUtf8) {
    const RegexRun run = KvtxRegex("bad \xff byte", {"a", "b"});
    EXPECT_NE(run.code, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("not valid UTF-8"), std::string::npos);
}

TEST(KvtxRegex, NeedsBothPatternAndReplacement) {
    EXPECT_EQ(KvtxRegex("x", {"x"}).code, 2);
}

TEST(KvtxRegex, EmptyInputGivesEmptyOutput) {
    const RegexRun run = KvtxRegex("", {"a", "b"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "");
}

} // namespace
} // namespace kvtx::testing
