#include "engine/regex_dialog.h"
#include "engine/regex_messages.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/fakes/fake_prompt_window.h"

#include <cstring>
#include <gtest/gtest.h>
#include <optional>

namespace kvtx {
namespace {

using namespace testing;

const std::u16string kHistory = u"C:\\kvtx\\korvatex.his";

// One opening of the dialog, as the quick tool runs it: load, show, type, OK, save.
class RegexDialogTest : public ::testing::Test {
protected:
    struct Opened {
        FakeEditableCombo pattern;
        FakeEditableCombo replacement;
        FakePromptWindow window;
        std::unique_ptr<RegexDialog> dialog;
    };

    std::unique_ptr<Opened> Open() {
        auto opened = std::make_unique<Opened>();
        opened->dialog = std::make_unique<RegexDialog>(
            opened->pattern, opened->replacement, messages, opened->window,
            [this](const std::u16string& p, const std::u16string& r) {
                checked.push_back(p + u"|" + r);
                if (probeAnswer) {
                    return *probeAnswer;
                }
                return p.find(u'(') == std::u16string::npos ? RegexStatus::kDone
                                                            : RegexStatus::kMalformed;
            });
        opened->dialog->OnInitDialog(LoadHistory(files, kHistory));
        return opened;
    }

    // Types over both fields and presses OK; saves when the dialog ends with OK.
    bool Use(const std::u16string& pattern, const std::u16string& replacement) {
        auto opened = Open();
        opened->pattern.SetText(u"");
        opened->pattern.Type(pattern);
        opened->replacement.SetText(u"");
        opened->replacement.Type(replacement);
        if (!opened->dialog->OnOK()) {
            return false;
        }
        SaveHistory(files, kHistory, opened->dialog->History());
        return true;
    }

    std::u16string FileText() const {
        const auto& bytes = files.files.at(kHistory);
        std::u16string text(bytes.size() / 2, u'\0');
        std::memcpy(text.data(), bytes.data(), text.size() * 2);
        return text;
    }

    FakeFileSystem files;
    FakeMessageBox messages;
    std::vector<std::u16string> checked;
    // When set, what the probe answers for every pair.
    std::optional<RegexStatus> probeAnswer;
};

TEST_F(RegexDialogTest, WithoutHistoryEverythingStartsEmptyAndComesToTheFront) {
    const auto opened = Open();
    EXPECT_EQ(opened->pattern.Text(), u"");
    EXPECT_EQ(opened->pattern.Count(), 0);
    EXPECT_EQ(opened->replacement.Count(), 0);
    EXPECT_EQ(opened->pattern.limit, 500u);
    EXPECT_EQ(opened->replacement.limit, 500u);
    EXPECT_EQ(opened->window.log, (EventLog{"focus", "foreground"}));
}

TEST_F(RegexDialogTest, FirstUseWritesTwentyLinesWithPatternAndReplacement) {
    ASSERT_TRUE(Use(u"\\d+", u"<$0>"));
    std::u16string expected = u"\\d+\r\n";
    for (int i = 0; i < 9; ++i) {
        expected += u"\r\n";
    }
    expected += u"<$0>\r\n";
    for (int i = 0; i < 9; ++i) {
        expected += u"\r\n";
    }
    EXPECT_EQ(FileText(), expected);
    EXPECT_EQ(checked, std::vector<std::u16string>{u"\\d+|<$0>"});
}

TEST_F(RegexDialogTest, ListsKeepTheTenMostRecentUsesNewestFirst) {
    for (int i = 1; i <= 12; ++i) {
        const std::u16string n = std::u16string(1, static_cast<char16_t>(u'A' + i));
        ASSERT_TRUE(Use(u"p" + n, u"r" + n));
    }
    ASSERT_TRUE(Use(u"pM", u"rM")); // the same again counts again
    const auto opened = Open();
    EXPECT_EQ(opened->pattern.Text(), u"pM");
    EXPECT_EQ(opened->replacement.Text(), u"rM");
    EXPECT_EQ(opened->pattern.items,
              (std::vector<std::u16string>{u"pM", u"pM", u"pL", u"pK", u"pJ", u"pI", u"pH", u"pG",
                                           u"pF", u"pE"}));
    EXPECT_EQ(opened->replacement.items.front(), u"rM");
    EXPECT_EQ(opened->replacement.items.size(), 10u);
}

TEST_F(RegexDialogTest, MalformedExpressionKeepsTheDialogOpenWithItsTexts) {
    ASSERT_TRUE(Use(u"old", u"x"));
    auto opened = Open();
    opened->pattern.SetText(u"(unclosed");
    EXPECT_FALSE(opened->dialog->OnOK());
    EXPECT_EQ(messages.shown, std::vector<std::u16string>{u"構文に誤りがあります"});
    EXPECT_EQ(opened->pattern.Text(), u"(unclosed");
    opened->pattern.SetText(u"fixed");
    EXPECT_TRUE(opened->dialog->OnOK());
    EXPECT_EQ(opened->dialog->m_strPattern, u"fixed");
}

TEST_F(RegexDialogTest, AProbeStoppedForAnotherReasonIsNotCalledASyntaxError) {
    for (const RegexStatus answer : {RegexStatus::kLibraryMissing, RegexStatus::kMatchLimit}) {
        probeAnswer = answer;
        messages.shown.clear();
        auto opened = Open();
        opened->pattern.SetText(u"fine");
        EXPECT_FALSE(opened->dialog->OnOK());
        EXPECT_EQ(messages.shown,
                  std::vector<std::u16string>{std::u16string(RegexFailureMessage(answer))});
        EXPECT_EQ(opened->pattern.Text(), u"fine");
    }
}

TEST_F(RegexDialogTest, FieldOverFiveHundredCharactersIsRefusedBeforeTheCheck) {
    auto opened = Open();
    opened->replacement.SetText(std::u16string(501, u'r'));
    EXPECT_FALSE(opened->dialog->OnOK());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0], u"構文に誤りがあります");
    EXPECT_TRUE(checked.empty());
}

} // namespace
} // namespace kvtx
