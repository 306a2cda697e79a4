#include "tests/cli/cli_fixture.h"

namespace kvtx::testing {
namespace {

class ApplyTest : public CliTest {
protected:
    void SetUp() override {
        StoreBuilder store;
        store.Category(u"挨拶", u"kvtx_00001.dat")
            .Text(u"署名", u"--\r\n%Y-%M-%D [%original] %input")
            .Text(u"空", u"")
            .Conversion(u"整形", {Step(StepKind::SimpleReplace, u"猫", u"犬"),
                                  Step(StepKind::RegexReplace, u"(\\d+)", u"<$1>"),
                                  Step(StepKind::RangeReplace, u"[", u"]", u"%h")})
            .Conversion(u"行", {Step(StepKind::RegexReplace, u"a\\nb", u"x\\ny")})
            .Conversion(u"誤り", {Step(StepKind::SimpleReplace, u"a", u"b"),
                                  Step(StepKind::RegexReplace, u"(", u"x")})
            .Raw(u"謎", 9, {})
            .Conversion(u"消去", {Step(StepKind::RegexReplace, u"(?s).+", u"")})
            .Conversion(u"限界", {Step(StepKind::RegexReplace, u"(a+)+b", u"x")});
        store.Save(files);
    }

    CliResult Apply(std::string selection, const std::vector<std::string>& arguments) {
        standardInput = std::move(selection);
        std::vector<std::string> commandLine{"apply"};
        commandLine.reserve(1 + arguments.size());
        for (const auto& argument : arguments) {
            commandLine.push_back(argument);
        }
        return Kvtx(commandLine);
    }
};

TEST_F(ApplyTest, InsertionExpandsTheTemplateAroundTheSelection) {
    const auto result =
        Apply("選択\n", {"A", "a", "--input", "入力", "--now", "2009-03-01T05:07:03"});
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, "--\n2009-03-01 [選択\n] 入力");
}

TEST_F(ApplyTest, CrLfSelectionKeepsCrLfOutput) {
    const auto result = Apply("x\r\n", {"a", "A", "--input", "", "--now", "2009-03-01T05:07:03"});
    EXPECT_EQ(result.out, "--\r\n2009-03-01 [x\r\n] ");
}

TEST_F(ApplyTest, MissingInputIsLeftEmptyWithANote) {
    const auto result = Apply("s", {"A", "a", "--now", "2009-03-01T05:07:03"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "--\n2009-03-01 [s] ");
    EXPECT_NE(result.err.find("%input"), std::string::npos);
}

TEST_F(ApplyTest, EmptyResultPastesTheSelectionBack) {
    EXPECT_EQ(Apply("keep me", {"A", "b"}).out, "keep me");
    // A conversion that leaves nothing: the selection as the program holds it, in the input's
    // line ends.
    EXPECT_EQ(Apply("a\nb\n", {"A", "g"}).out, "a\nb\n");
    EXPECT_EQ(Apply("a\nb\r\n", {"A", "g"}).out, "a\r\nb\r\n");
}

TEST_F(ApplyTest, ConversionRunsEveryStepInOrder) {
    const auto result = Apply("猫 12 [x] 猫3\n", {"A", "c", "--now", "2009-03-01T05:07:03"});
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(result.out, "犬 <12> [05] 犬<3>\n");
}

TEST_F(ApplyTest, RegexStepSeesLineFeedsAndKeepsTheInputsLineEnds) {
    EXPECT_EQ(Apply("a\nb\n", {"A", "d"}).out, "x\ny\n");
    EXPECT_EQ(Apply("a\r\nb\r\n", {"A", "d"}).out, "x\r\ny\r\n");
}

TEST_F(ApplyTest, MalformedExpressionWritesOnlyTheMessage) {
    const auto result = Apply("abc", {"A", "e"});
    EXPECT_NE(result.code, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "正規表現の構文に誤りがあります\n");
}

TEST_F(ApplyTest, AnExpressionStoppedByALimitSaysSoRatherThanSyntaxError) {
    const auto result = Apply(std::string(30, 'a') + "cb", {"A", "h"});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "正規表現の照合が複雑になりすぎたため中止しました。正規表現を見直してください\n");
}

TEST_F(ApplyTest, UnknownEntriesAndKindsAreRefused) {
    for (const auto& [category, item] :
         std::vector<std::pair<std::string, std::string>>{{"B", "a"}, {"A", "i"}, {"A", "f"}}) {
        const auto result = Apply("x", {category, item});
        EXPECT_EQ(result.code, 1) << category << item;
        EXPECT_EQ(result.out, "") << category << item;
        EXPECT_FALSE(result.err.empty()) << category << item;
    }
    for (const char* bad : {"1", "AB", "あ", ""}) {
        EXPECT_EQ(Apply("x", {bad, "a"}).code, 2) << bad;
    }
}

TEST_F(ApplyTest, InvalidUtf8SelectionIsRefusedUntouched) {
    const auto result = Apply("a\xff", {"A", "c"});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, "");
}

} // namespace
} // namespace kvtx::testing
