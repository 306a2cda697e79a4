#include "tests/cli/cli_fixture.h"

namespace kvtx::testing {
namespace {

// JSON text for a string of n copies of one character.
std::string Repeat(std::string_view unit, std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        text += unit;
    }
    return text;
}

std::string OneItem(const std::string& item) {
    return R"({"categories": [{"name": "挨拶", "items": [)" + item + "]}]}";
}

std::string OneStep(const std::string& step) {
    return OneItem(R"({"name": "変換", "kind": "conversion", "steps": [)" + step + "]}");
}

// n copies of one JSON value, comma-separated.
std::string List(std::size_t n, std::string_view entry) {
    std::string list;
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0) {
            list += ',';
        }
        list += entry;
    }
    return list;
}

std::string Categories(std::size_t n) {
    return R"({"categories": [)" + List(n, R"({"name": "c"})") + "]}";
}

std::string Items(std::size_t n) {
    return R"({"categories": [{"name": "多い", "items": [)" +
           List(n, R"({"name": "i", "kind": "text", "text": ""})") + "]}]}";
}

std::string Steps(std::size_t n) {
    return OneItem(R"({"name": "長い", "kind": "conversion", "steps": [)" +
                   List(n, R"({"kind": "replace", "a": "x", "b": "y"})") + "]}");
}

std::string RangeStep(std::size_t a, std::size_t b, std::size_t c) {
    return OneStep(R"({"kind": "range", "a": ")" + Repeat("あ", a) + R"(", "b": ")" +
                   Repeat("い", b) + R"(", "c": ")" + Repeat("う", c) + R"("})");
}

std::string TextItem(const std::string& name, std::size_t textLength) {
    return OneItem(R"({"name": ")" + name + R"(", "kind": "text", "text": ")" +
                   Repeat("字", textLength) + R"("})");
}

class ImportValidationTest : public CliTest {
protected:
    void SetUp() override {
        // An existing store, which a refused import must leave exactly as it is.
        StoreBuilder().Category(u"既存", u"kvtx_00000.dat").Text(u"元", u"そのまま").Save(files);
        before_ = files.files;
    }

    // The import is refused with a message holding `expected`, and the folder is untouched.
    void ExpectRefused(const std::string& json, const std::string& expected) {
        files.files = before_;
        PutJson(json);
        const auto saved = files.files;
        files.writes = 0;
        const auto result = Kvtx({"import", kJsonName});
        EXPECT_EQ(result.code, 1) << json;
        EXPECT_NE(result.err.find(expected), std::string::npos)
            << "expected: " << expected << "\nerr: " << result.err;
        EXPECT_NE(result.err.find("nothing was written"), std::string::npos) << result.err;
        EXPECT_EQ(files.writes, 0) << expected;
        EXPECT_EQ(files.files, saved) << expected;
    }

    void ExpectAccepted(const std::string& json) {
        files.files = before_;
        PutJson(json);
        const auto result = Kvtx({"import", kJsonName});
        EXPECT_EQ(result.code, 0) << result.err;
    }

private:
    std::map<std::u16string, std::vector<std::byte>> before_;
};

TEST_F(ImportValidationTest, CountLimits) {
    ExpectAccepted(Categories(26));
    ExpectRefused(Categories(27), "\"categories\" has 27 entries, at most 26");
    ExpectAccepted(Items(26));
    ExpectRefused(Items(27), "category A \"多い\": \"items\" has 27 entries, at most 26");
    ExpectAccepted(Steps(7));
    ExpectRefused(Steps(8), "item a \"長い\": \"steps\" has 8 entries, at most 7");
}

TEST_F(ImportValidationTest, NameLengths) {
    ExpectAccepted(R"({"categories": [{"name": ")" + Repeat("名", 30) + R"("}]})");
    ExpectRefused(R"({"categories": [{"name": ")" + Repeat("名", 31) + R"("}]})",
                  "\"name\" has 31 characters, at most 30");
    ExpectRefused(R"({"categories": [{"name": ""}]})", "category A: \"name\" must not be empty");
    ExpectAccepted(TextItem(Repeat("名", 27), 0));
    // The editor cuts a long item name; a machine format gets it refused instead.
    ExpectRefused(TextItem(Repeat("名", 28), 0), "\"name\" has 28 characters, at most 27");
    ExpectRefused(TextItem("", 0), "item a: \"name\" must not be empty");
    // Characters outside the BMP take two units each, as in the store's fields.
    ExpectRefused(TextItem(Repeat("😀", 14), 0), "\"name\" has 28 characters, at most 27");
}

TEST_F(ImportValidationTest, TextAndStepLengths) {
    ExpectAccepted(TextItem("長文", 2044));
    ExpectRefused(
        TextItem("長文", 2045),
        "category A \"挨拶\", item a \"長文\": \"text\" has 2045 characters, at most 2044");
    ExpectAccepted(RangeStep(84, 84, 84));
    ExpectRefused(RangeStep(84, 85, 84),
                  "item a \"変換\", step 1: its strings have 253 characters together, at most 252");
    ExpectAccepted(OneStep(R"({"kind": "replace", "a": "", "b": ")" + Repeat("b", 252) + R"("})"));
    ExpectRefused(OneStep(R"({"kind": "regex", "a": ")" + Repeat("a", 253) + R"(", "b": ""})"),
                  "step 1: \"a\" has 253 characters, at most 252");
}

TEST_F(ImportValidationTest, MalformedJsonAndInvalidUtf8) {
    ExpectRefused(R"({"categories": [)", "backup.json is not valid JSON");
    ExpectRefused(R"({"categories": []} trailing)", "is not valid JSON");
    ExpectRefused("{\"categories\": [{\"name\": \"\xFF\"}]}", "UTF-8");
    // An overlong encoding and an encoded surrogate are not UTF-8 either.
    ExpectRefused("{\"categories\": [{\"name\": \"\xC0\xAF\"}]}", "UTF-8");
    ExpectRefused("{\"categories\": [{\"name\": \"\xED\xA0\x80\"}]}", "UTF-8");
    ExpectRefused(R"({"categories": [{"name": "\ud800"}]})", "is not valid JSON");
    ExpectRefused(R"([])", "the top level: must be a JSON object");
    ExpectRefused(R"({})", "the top level: missing \"categories\"");
}

TEST_F(ImportValidationTest, UnknownKindWordsAndKnownKindsAsNumbers) {
    ExpectRefused(OneItem(R"({"name": "絵", "kind": "picture"})"), "unknown kind \"picture\"");
    ExpectRefused(OneStep(R"({"kind": "sed", "a": "", "b": ""})"), "step 1: unknown kind \"sed\"");
    ExpectRefused(OneItem(R"({"name": "x", "kind": 0, "content": ""})"),
                  "kind 0 must be written as \"text\"");
    ExpectRefused(OneStep(R"({"kind": 2, "content": ""})"), "kind 2 must be written as \"range\"");
    ExpectRefused(OneStep(R"({"kind": 65536, "content": ""})"),
                  "\"kind\" must be a whole number from 0 to 65535");
    ExpectRefused(OneItem(R"({"name": "x", "kind": 1.5, "content": ""})"),
                  "\"kind\" must be a whole number");
}

TEST_F(ImportValidationTest, FieldsThatDoNotBelongOrAreMissing) {
    ExpectRefused(R"({"categories": [{"nmae": "x"}]})", "unexpected key \"nmae\"");
    ExpectRefused(OneStep(R"({"kind": "replace", "a": "", "b": "", "c": "z"})"),
                  "step 1: unexpected key \"c\"");
    ExpectRefused(OneStep(R"({"kind": "range", "a": "", "b": ""})"), "step 1: missing \"c\"");
    ExpectRefused(OneItem(R"({"name": "x", "kind": "text"})"), "item a \"x\": missing \"text\"");
    ExpectRefused(OneItem(R"({"name": "x", "kind": "text", "text": 5})"),
                  "\"text\" must be a string");
    ExpectRefused(OneItem(R"({"name": "x", "kind": "text", "text": "", "steps": []})"),
                  "unexpected key \"steps\"");
}

TEST_F(ImportValidationTest, StringsTheStoreCannotHold) {
    ExpectRefused(OneItem(R"({"name": "a\u0000b", "kind": "text", "text": ""})"),
                  "item a \"a\\u0000b\": \"name\" holds U+0000");
    ExpectRefused(OneStep(R"({"kind": "replace", "a": "x\u0000", "b": ""})"), "\"a\" holds U+0000");
}

TEST_F(ImportValidationTest, NumbersAndRawContents) {
    ExpectRefused(R"({"nextFileId": -1, "categories": []})",
                  "\"nextFileId\" must be a whole number from 0 to 2147483647");
    ExpectRefused(R"({"nextFileId": 2147483648, "categories": []})", "\"nextFileId\" must be");
    ExpectRefused(OneItem(R"({"name": "x", "kind": 7, "content": "abc"})"),
                  "\"content\" must be a string of hexadecimal byte pairs");
    ExpectRefused(OneItem(R"({"name": "x", "kind": 7, "content": "zz"})"), "hexadecimal");
    ExpectAccepted(
        OneItem(R"({"name": "x", "kind": 7, "content": ")" + Repeat("ff", 4096) + R"("})"));
    ExpectRefused(
        OneItem(R"({"name": "x", "kind": 7, "content": ")" + Repeat("ff", 4097) + R"("})"),
        "\"content\" has 4097 bytes, at most 4096");
    ExpectRefused(OneStep(R"({"kind": 3, "content": ")" + Repeat("00", 511) + R"("})"),
                  "\"content\" has 511 bytes, at most 510");
}

TEST_F(ImportValidationTest, FileNamesMustBeOfTheStoreForm) {
    for (const char* bad : {"kvtx_0001.dat", "kvtx_0001A.dat", "kvtx_000001.dat", "..\\\\x.dat",
                            "kvtx_80000000.dat"}) {
        ExpectRefused(std::string(R"({"categories": [{"name": "x", "file": ")") + bad + R"("}]})",
                      "\"file\" must be of the form kvtx_%.5x.dat");
    }
}

TEST_F(ImportValidationTest, AFileThatCannotBeReadIsAFailure) {
    const auto result = Kvtx({"import", "missing.json"});
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find("cannot read missing.json"), std::string::npos) << result.err;
}

} // namespace
} // namespace kvtx::testing
