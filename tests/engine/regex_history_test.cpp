#include "engine/regex_history.h"
#include "tests/fakes/bytes.h"
#include "tests/fakes/fake_file_system.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

const std::u16string kPath = u"C:\\tools\\korvatex.his";

std::vector<std::byte> FileOf(std::u16string_view text) {
    return testing::ByteWriter().Units(text).bytes;
}

std::u16string Lines(std::initializer_list<std::u16string_view> lines) {
    std::u16string text;
    for (const auto line : lines) {
        text.append(line).append(u"\r\n");
    }
    return text;
}

using Entries = std::vector<std::u16string>;

class RegexHistoryTest : public ::testing::Test {
protected:
    RegexHistory Load(std::u16string_view text) {
        files.Put(kPath, FileOf(text));
        return LoadHistory(files, kPath);
    }
    std::u16string SavedText() {
        const auto& bytes = files.files.at(kPath);
        EXPECT_EQ(bytes.size() % 2, 0u);
        return testing::ReadUnits(bytes, 0, bytes.size() / 2);
    }

    testing::FakeFileSystem files;
};

TEST_F(RegexHistoryTest, PathIsTheExecutableWithItsExtensionReplaced) {
    EXPECT_EQ(HistoryPath(u"C:\\tools\\korvatex.exe"), u"C:\\tools\\korvatex.his");
    EXPECT_EQ(HistoryPath(u"C:\\my.tools\\korvatex"), u"C:\\my.tools\\korvatex.his");
    EXPECT_EQ(HistoryPath(u"/opt/k/kvtx.v2.exe"), u"/opt/k/kvtx.v2.his");
}

TEST_F(RegexHistoryTest, MissingOrUnreadableFileGivesEmptyFieldsAndLists) {
    EXPECT_EQ(LoadHistory(files, kPath), RegexHistory{});
    files.Put(kPath, FileOf(Lines({u"a"})));
    files.unreadable.insert(kPath);
    EXPECT_EQ(LoadHistory(files, kPath), RegexHistory{});
}

TEST_F(RegexHistoryTest, FullFileLoadsCurrentTextsAsFirstListEntries) {
    const RegexHistory history =
        Load(Lines({u"p0", u"p1", u"p2", u"p3", u"p4", u"p5", u"p6", u"p7", u"p8", u"p9",
                    u"r0", u"r1", u"r2", u"r3", u"r4", u"r5", u"r6", u"r7", u"r8", u"r9"}));
    EXPECT_EQ(history.pattern, u"p0");
    EXPECT_EQ(history.replacement, u"r0");
    EXPECT_EQ(history.patterns,
              (Entries{u"p0", u"p1", u"p2", u"p3", u"p4", u"p5", u"p6", u"p7", u"p8", u"p9"}));
    EXPECT_EQ(history.replacements,
              (Entries{u"r0", u"r1", u"r2", u"r3", u"r4", u"r5", u"r6", u"r7", u"r8", u"r9"}));
}

TEST_F(RegexHistoryTest, GapsCloseUpButLinePositionsStillCount) {
    const RegexHistory history =
        Load(Lines({u"", u"p1", u"", u"p3", u"", u"", u"", u"", u"", u"", u"", u"", u"r2"}));
    EXPECT_EQ(history.pattern, u"");
    EXPECT_EQ(history.patterns, (Entries{u"p1", u"p3"}));
    EXPECT_EQ(history.replacement, u"");
    EXPECT_EQ(history.replacements, (Entries{u"r2"}));
}

TEST_F(RegexHistoryTest, ShortFileFillsWhatItHas) {
    RegexHistory history = Load(u"\\d+\r\nold");
    EXPECT_EQ(history.pattern, u"\\d+");
    EXPECT_EQ(history.patterns, (Entries{u"\\d+", u"old"}));
    EXPECT_TRUE(history.replacement.empty());
    EXPECT_TRUE(history.replacements.empty());
    EXPECT_EQ(Load(u""), RegexHistory{});
}

TEST_F(RegexHistoryTest, LinesAfterTheTwentiethAreMoreReplacements) {
    std::u16string text = Lines({u"p", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"r"});
    for (int i = 1; i <= 12; ++i) {
        const char16_t entry[] = {u'r', static_cast<char16_t>(u'a' + i), u'\0'};
        text += Lines({entry});
    }
    const RegexHistory history = Load(text);
    ASSERT_EQ(history.replacements.size(), 13u);
    EXPECT_EQ(history.replacements.back(), u"rm");
    ASSERT_TRUE(SaveHistory(files, kPath, history));
    EXPECT_EQ(SavedText(),
              Lines({u"p", u"p", u"",   u"",   u"",   u"",   u"",   u"",   u"",   u"",
                     u"r", u"r", u"rb", u"rc", u"rd", u"re", u"rf", u"rg", u"rh", u"ri"}));
}

TEST_F(RegexHistoryTest, LoneLineFeedsByteOrderMarkAndOddByteAreTolerated) {
    files.Put(kPath, FileOf(u"\xFEFF"
                            u"pat\nx\r\n"));
    files.files[kPath].push_back(std::byte{0x41});
    const RegexHistory history = LoadHistory(files, kPath);
    EXPECT_EQ(history.pattern, u"pat");
    EXPECT_EQ(history.patterns, (Entries{u"pat", u"x"}));
}

TEST_F(RegexHistoryTest, OverlongLinesAreDroppedWhole) {
    const std::u16string longest(kHistoryFieldChars, u'a');
    const std::u16string tooLong(kHistoryFieldChars + 1, u'b');
    const RegexHistory history = Load(Lines({tooLong, longest}));
    EXPECT_EQ(history.pattern, u"");
    EXPECT_EQ(history.patterns, (Entries{longest}));
}

TEST_F(RegexHistoryTest, FirstSaveWritesTwentyLinesWithOnlyTheCurrentTexts) {
    ASSERT_TRUE(SaveHistory(files, kPath, {u"(\\w+)", {}, u"$1様", {}}));
    std::u16string expected = u"(\\w+)\r\n";
    for (int i = 0; i < 9; ++i) {
        expected += u"\r\n";
    }
    expected += u"$1様\r\n";
    for (int i = 0; i < 9; ++i) {
        expected += u"\r\n";
    }
    EXPECT_EQ(SavedText(), expected);
    // No byte-order mark, little-endian units.
    EXPECT_EQ(files.files.at(kPath)[0], std::byte{'('});
    EXPECT_EQ(files.files.at(kPath)[1], std::byte{0});
}

TEST_F(RegexHistoryTest, SavedFileLoadsBackWholeAndSavesByteForByte) {
    const RegexHistory history{u"日本🎌", {u"old", u"a", u"\t"}, u"x\ty", {u"", u"y"}};
    ASSERT_TRUE(SaveHistory(files, kPath, history));
    const auto first = files.files.at(kPath);
    RegexHistory loaded = LoadHistory(files, kPath);
    EXPECT_EQ(loaded.pattern, history.pattern);
    EXPECT_EQ(loaded.patterns, (Entries{u"日本🎌", u"old", u"a", u"\t"}));
    EXPECT_EQ(loaded.replacement, history.replacement);
    EXPECT_EQ(loaded.replacements, (Entries{u"x\ty", u"y"}));
    // Without the current texts that loading put in front, the lists save to the same bytes.
    loaded.patterns.erase(loaded.patterns.begin());
    // The saved replacement list began with an empty entry, which loading skipped.
    loaded.replacements.front().clear();
    ASSERT_TRUE(SaveHistory(files, kPath, loaded));
    EXPECT_EQ(files.files.at(kPath), first);
}

TEST_F(RegexHistoryTest, LineBreaksInsideAnEntryCannotShiftTheFile) {
    ASSERT_TRUE(SaveHistory(files, kPath, {u"a\nb", {u"c\r\nd"}, u"r", {}}));
    const RegexHistory loaded = LoadHistory(files, kPath);
    EXPECT_EQ(loaded.pattern, u"a");
    EXPECT_EQ(loaded.patterns, (Entries{u"a", u"c"}));
    EXPECT_EQ(loaded.replacement, u"r");
}

TEST_F(RegexHistoryTest, FailedSaveIsReportedAndKeepsThePreviousFile) {
    files.Put(kPath, FileOf(Lines({u"old"})));
    files.lockedFiles.insert(kPath);
    EXPECT_FALSE(SaveHistory(files, kPath, {u"new", {}, u"", {}}));
    EXPECT_EQ(LoadHistory(files, kPath).pattern, u"old");
}

} // namespace
} // namespace kvtx
