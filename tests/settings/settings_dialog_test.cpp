#include "tests/settings/settings_fixture.h"

namespace kvtx {
namespace {

using namespace testing;

using SettingsDialogTest = SettingsFixture;

// Every value different from its neighbours, so that two crossed controls cannot pass.
app::ResidentSettings Distinct() {
    app::ResidentSettings settings;
    settings.picker = {.ctrl = 1, .shift = 0, .alt = 0, .enabled = 1, .keyIndex = 3, .id = 41};
    settings.menu = {.ctrl = 0, .shift = 1, .alt = 0, .enabled = 0, .keyIndex = 18, .id = 42};
    settings.regex = {.ctrl = 0, .shift = 0, .alt = 1, .enabled = 1, .keyIndex = 25, .id = 43};
    settings.search = {.ctrl = 1, .shift = 1, .alt = 1, .enabled = 0, .keyIndex = 9, .id = 44};
    settings.timeDelay = 150;
    return settings;
}

struct HotkeyState {
    bool enabled, alt, ctrl, shift;
    int key;
    bool operator==(const HotkeyState&) const = default;
};

HotkeyState Shown(const FakeHotkeyControls& controls) {
    return {controls.enabled.IsChecked(), controls.alt.IsChecked(), controls.ctrl.IsChecked(),
            controls.shift.IsChecked(), controls.key.Selection()};
}

TEST_F(SettingsDialogTest, ShowsTheOpenersValuesInTheirOwnControls) {
    dialog.SetValues(Distinct());
    dialog.OnInitDialog();
    EXPECT_EQ(Shown(picker), (HotkeyState{true, false, true, false, 3}));
    EXPECT_EQ(Shown(menu), (HotkeyState{false, false, false, true, 18}));
    EXPECT_EQ(Shown(regex), (HotkeyState{true, true, false, false, 25}));
    EXPECT_EQ(Shown(search), (HotkeyState{false, true, true, true, 9}));
    EXPECT_EQ(delay.Text(), u"150");
    EXPECT_FALSE(restoreClipboard.IsChecked());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SettingsDialogTest, OkGivesBackWhatTheUserChangedAndKeepsTheRegisteredIds) {
    dialog.SetValues(Distinct());
    dialog.OnInitDialog();
    picker.alt.SetChecked(true);
    picker.ctrl.SetChecked(false);
    picker.key.UserSelects(5);
    menu.enabled.SetChecked(true);
    menu.shift.SetChecked(false);
    regex.alt.SetChecked(false);
    regex.ctrl.SetChecked(true);
    regex.shift.SetChecked(true);
    regex.key.UserSelects(0);
    search.enabled.SetChecked(true);
    search.alt.SetChecked(false);
    search.key.UserSelects(5);
    delay.UserReplaces(u"500");
    restoreClipboard.SetChecked(true);
    ASSERT_TRUE(dialog.OnOK());

    app::ResidentSettings settings = Distinct();
    dialog.GetValues(settings);
    EXPECT_EQ(settings.picker.ctrl, 0);
    EXPECT_EQ(settings.picker.alt, 1);
    EXPECT_EQ(settings.picker.shift, 0);
    EXPECT_EQ(settings.picker.enabled, 1);
    EXPECT_EQ(settings.picker.keyIndex, 5);
    EXPECT_EQ(settings.menu.enabled, 1);
    EXPECT_EQ(settings.menu.shift, 0);
    EXPECT_EQ(settings.menu.keyIndex, 18);
    EXPECT_EQ(settings.regex.ctrl, 1);
    EXPECT_EQ(settings.regex.shift, 1);
    EXPECT_EQ(settings.regex.alt, 0);
    EXPECT_EQ(settings.regex.keyIndex, 0);
    EXPECT_EQ(settings.search,
              (app::HotkeySetting{
                  .ctrl = 1, .shift = 1, .alt = 0, .enabled = 1, .keyIndex = 5, .id = 44}));
    EXPECT_EQ(settings.timeDelay, 500);
    EXPECT_EQ(settings.restoreClipboard, 1);
    EXPECT_EQ(settings.picker.id, 41);
    EXPECT_EQ(settings.menu.id, 42);
    EXPECT_EQ(settings.regex.id, 43);
}

TEST_F(SettingsDialogTest, FlagsFromTheProfileComeBackAsZeroOrOne) {
    app::ResidentSettings stored = Distinct();
    stored.picker.ctrl = 7;
    stored.menu.shift = -1;
    dialog.SetValues(stored);
    dialog.OnInitDialog();
    ASSERT_TRUE(dialog.OnOK());
    dialog.GetValues(stored);
    EXPECT_EQ(stored.picker.ctrl, 1);
    EXPECT_EQ(stored.menu.shift, 1);
}

TEST_F(SettingsDialogTest, ALetterOutsideAToZShowsNoSelectionAndComesBackAsMinusOne) {
    app::ResidentSettings stored = Distinct();
    stored.menu.keyIndex = 30;
    dialog.SetValues(stored);
    dialog.OnInitDialog();
    EXPECT_EQ(menu.key.Selection(), -1);
    ASSERT_TRUE(dialog.OnOK());
    dialog.GetValues(stored);
    EXPECT_EQ(stored.menu.keyIndex, -1);
    EXPECT_EQ(stored.picker.keyIndex, 3);
}

TEST_F(SettingsDialogTest, DelayIsTakenFromAHundredToTwoThousandInclusive) {
    dialog.SetValues(Distinct());
    dialog.OnInitDialog();
    for (const auto& [typed, value] :
         {std::pair{u"100", 100}, std::pair{u"2000", 2000}, std::pair{u" 750 ", 750}}) {
        delay.UserReplaces(typed);
        EXPECT_TRUE(dialog.OnOK()) << value;
        EXPECT_EQ(dialog.m_nTimeDelay, value);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SettingsDialogTest, DelayOutsideTheRangeKeepsTheDialogOpenWithTheRangeAndTheFocus) {
    dialog.SetValues(Distinct());
    dialog.OnInitDialog();
    for (const std::u16string typed : {u"99", u"2001", u"0", u"-150", u"99999999999999999999"}) {
        messages.shown.clear();
        const int focusBefore = delay.focusCount;
        delay.UserReplaces(typed);
        EXPECT_FALSE(dialog.OnOK());
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(messages.shown[0].find(u"100"), std::u16string::npos);
        EXPECT_NE(messages.shown[0].find(u"2000"), std::u16string::npos);
        EXPECT_EQ(delay.focusCount, focusBefore + 1);
        EXPECT_EQ(dialog.m_nTimeDelay, 150);
    }
}

TEST_F(SettingsDialogTest, EmptyDelayAsksForAnInteger) {
    dialog.SetValues(Distinct());
    dialog.OnInitDialog();
    delay.UserReplaces(u"");
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(messages.shown, std::vector<std::u16string>{u"整数を入力してください。"});
    EXPECT_EQ(dialog.m_nTimeDelay, 150);
}

} // namespace
} // namespace kvtx
