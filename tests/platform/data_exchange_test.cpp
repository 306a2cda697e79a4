#include "platform/ui/data_exchange.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_message_box.h"

#include <gtest/gtest.h>

namespace kvtx::ui {
namespace {

using testing::FakeCheck;
using testing::FakeList;
using testing::FakeMessageBox;
using testing::FakeText;

class DataExchangeTest : public ::testing::Test {
protected:
    FakeMessageBox messages;
    DataExchange exchange{messages};
    FakeList combo = FakeList::ComboBox();
    FakeList list = FakeList::ListBox();
    FakeText edit;
    FakeText delay;
    FakeCheck check;
    int category = -1;
    int item = -1;
    std::u16string text;
    int milliseconds = 0;
    int flag = 0;

    void SetUp() override {
        for (const auto* entry : {u"A:one", u"B:two"}) {
            combo.Add(entry);
            list.Add(entry);
        }
        exchange.Selection(combo, category);
        exchange.Text(edit, text, 5);
        exchange.Selection(list, item);
        exchange.Integer(delay, milliseconds, 100, 2000);
        exchange.Check(check, flag);
    }
};

TEST_F(DataExchangeTest, SelectionsBeyondTheEntriesFollowEachControlsRule) {
    category = 1;
    item = 1;
    exchange.ShowInControls();
    category = 7;
    item = 7;
    exchange.ShowInControls();
    delay.SetText(u"150");
    ASSERT_TRUE(exchange.TakeFromControls());
    EXPECT_EQ(category, -1); // the combo box dropped its selection
    EXPECT_EQ(item, 1);      // the list box kept it
}

TEST_F(DataExchangeTest, ShowingLimitsTypingButNotTheProgramsOwnText) {
    text = u"too long for five";
    exchange.ShowInControls();
    EXPECT_EQ(edit.Text(), u"too long for five");
    EXPECT_EQ(edit.limit, 5u);
    edit.UserReplaces(u"abcdefgh");
    EXPECT_EQ(edit.Text(), u"abcde");
}

TEST_F(DataExchangeTest, TextIsWrittenOnlyWhenItDiffers) {
    text = u"same";
    exchange.ShowInControls();
    const int writes = edit.setTextCount;
    exchange.ShowInControls();
    EXPECT_EQ(edit.setTextCount, writes);
}

TEST_F(DataExchangeTest, FirstInvalidFieldStopsTheExchangeWithItsMessage) {
    edit.SetText(u"abcdef"); // longer than 5, set by a program
    delay.SetText(u"50");
    category = 42;
    EXPECT_FALSE(exchange.TakeFromControls());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], u"5 文字以内で入力してください。");
    EXPECT_EQ(edit.focusCount, 1);
    EXPECT_EQ(item, -1); // bindings after the failing one were not taken
}

TEST_F(DataExchangeTest, IntegerBoxAcceptsItsRangeOnly) {
    const std::pair<const char16_t*, bool> cases[] = {
        {u"100", true},   {u"2000", true}, {u" 150 ", true}, {u"99", false},
        {u"2001", false}, {u"", false},    {u"1e3", false},  {u"１００", false}};
    for (const auto& [typed, accepted] : cases) {
        messages.shown.clear();
        delay.SetText(typed);
        EXPECT_EQ(exchange.TakeFromControls(), accepted) << std::u16string(typed).size();
        EXPECT_EQ(messages.shown.empty(), accepted);
    }
    delay.SetText(u"");
    exchange.TakeFromControls();
    EXPECT_EQ(messages.shown.back(), u"整数を入力してください。");
    // Beyond an int's range is still a number outside the box's range.
    for (const char16_t* typed : {u"2001", u"99999999999999999999", u"-99999999999999999999"}) {
        delay.SetText(typed);
        exchange.TakeFromControls();
        EXPECT_EQ(messages.shown.back(), u"100 から 2000 までの整数を入力してください。");
    }
}

TEST_F(DataExchangeTest, CheckBoxesExchangeZeroOrOne) {
    flag = 5;
    exchange.ShowInControls();
    EXPECT_TRUE(check.IsChecked());
    delay.SetText(u"100");
    check.SetChecked(false);
    ASSERT_TRUE(exchange.TakeFromControls());
    EXPECT_EQ(flag, 0);
}

} // namespace
} // namespace kvtx::ui
