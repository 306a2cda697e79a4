#include "engine/input_dialog.h"
#include "engine/name_dialog.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/fakes/fake_prompt_window.h"

#include <gtest/gtest.h>

namespace kvtx {
namespace {

using namespace testing;

class InputDialogTest : public ::testing::Test {
protected:
    FakeText edit;
    FakeMessageBox messages;
    FakePromptWindow window;
    InputDialog dialog{edit, messages, window};
};

TEST_F(InputDialogTest, RaisesItselfOnceAfterAHundredMilliseconds) {
    dialog.OnInitDialog();
    EXPECT_EQ(window.log, EventLog{"start timer 1 100"});
    dialog.OnTimer(7);
    EXPECT_EQ(window.log.size(), 1u);
    dialog.OnTimer(InputDialog::TIMER_RAISE);
    EXPECT_EQ(window.log, (EventLog{"start timer 1 100", "kill timer 1", "topmost", "foreground"}));
}

TEST_F(InputDialogTest, OkTakesTheTypedTextWhateverItsLength) {
    dialog.OnInitDialog();
    EXPECT_EQ(edit.Text(), u"");
    const std::u16string typed = std::u16string(3000, u'あ') + u"😀";
    edit.Type(typed);
    EXPECT_TRUE(dialog.OnOK());
    EXPECT_EQ(dialog.m_strInput, typed);
    EXPECT_TRUE(messages.shown.empty());
}

class NameDialogTest : public ::testing::Test {
protected:
    FakeText edit;
    FakeMessageBox messages;
    NameDialog dialog{edit, messages};
};

TEST_F(NameDialogTest, EmptyNameAsksAgainAndKeepsTheDialogOpen) {
    dialog.OnInitDialog();
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(messages.shown, std::vector<std::u16string>{u"入力して下さい"});
    edit.Type(u"挨拶");
    EXPECT_TRUE(dialog.OnOK());
    EXPECT_EQ(dialog.m_strName, u"挨拶");
}

TEST_F(NameDialogTest, NameOfSpacesCountsAsGiven) {
    dialog.OnInitDialog();
    edit.Type(u"  ");
    EXPECT_TRUE(dialog.OnOK());
    EXPECT_EQ(dialog.m_strName, u"  ");
}

TEST_F(NameDialogTest, PresetNameIsShownAndTypingStopsAtThirtyCharacters) {
    dialog.m_strName = u"old";
    dialog.OnInitDialog();
    EXPECT_EQ(edit.Text(), u"old");
    edit.UserReplaces(std::u16string(31, u'x'));
    EXPECT_EQ(edit.Text().size(), 30u);
    EXPECT_TRUE(dialog.OnOK());
    EXPECT_EQ(dialog.m_strName, std::u16string(30, u'x'));
}

TEST_F(NameDialogTest, PresetLongerThanThirtyIsRefusedOnOk) {
    dialog.m_strName = std::u16string(31, u'y');
    dialog.OnInitDialog();
    EXPECT_FALSE(dialog.OnOK());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0], u"入力して下さい");
    EXPECT_EQ(dialog.m_strName, std::u16string(31, u'y')) << "the member keeps the preset";
}

} // namespace
} // namespace kvtx
