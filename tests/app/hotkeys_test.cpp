// The four global hotkeys: registration from the profile, failures, dispatch, and the settings
// dialog's round trip.

#include "app/hotkey_setting.h"
#include "res/resource_ids.h"
#include "tests/app/resident_fixture.h"

namespace kvtx::testing {
namespace {

constexpr unsigned kCtrlShift = platform::kModControl | platform::kModShift;

class HotkeysTest : public ResidentFixture {
protected:
    void Set(const char16_t* key, int value) { profile.values[{u"setting", key}] = value; }
    bool Holds(unsigned modifiers, unsigned key) const {
        for (const auto& [id, combination] : hotkeys.registered) {
            if (combination.modifiers == modifiers && combination.virtualKey == key) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(HotkeysTest, FreshProfileRegistersCtrlShiftDSAAndF) {
    app::ResidentDialog& dialog = Started();
    EXPECT_EQ(hotkeys.registered.size(), 4u);
    EXPECT_TRUE(Holds(kCtrlShift, 'D'));
    EXPECT_TRUE(Holds(kCtrlShift, 'S'));
    EXPECT_TRUE(Holds(kCtrlShift, 'A'));
    EXPECT_TRUE(Holds(kCtrlShift, 'F'));
    EXPECT_EQ(dialog.m_hkPicker.id, 6 * 256 + 'D');
    EXPECT_EQ(dialog.m_hkMenu.id, 6 * 256 + 'S');
    EXPECT_EQ(dialog.m_hkRegex.id, 6 * 256 + 'A');
    EXPECT_EQ(dialog.m_hkSearch.id, 6 * 256 + 'F');
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(HotkeysTest, TakenCombinationShowsErrorAndSystemTextOnceAndTheOthersRegister) {
    hotkeys.takenElsewhere[{kCtrlShift, 'S'}] = 1;
    Started();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{u"ホットキーの登録に失敗しました\n1409,"
                                                           u"Hot key is already registered.\r\n"}));
    EXPECT_TRUE(Holds(kCtrlShift, 'D'));
    EXPECT_TRUE(Holds(kCtrlShift, 'A'));
}

TEST_F(HotkeysTest, SameCombinationTwiceFailsSecondAndTriggersTheFirstInOrder) {
    Set(u"shotkeynum", 18); // the regex hotkey on S, like the menu
    Set(u"fhotkeynum", 18); // and the search, registered last, too
    int menus = 0, regexes = 0, searches = 0;
    app::ResidentDialog& dialog = Started();
    dialog.hooks.showCategoryMenu = [&](platform::ScreenPoint, const platform::Target&) {
        ++menus;
    };
    dialog.hooks.runQuickRegex = [&](const platform::Target&) { ++regexes; };
    dialog.hooks.showSearch = [&](platform::ScreenPoint, const platform::Target&) { ++searches; };
    EXPECT_EQ(messages.shown.size(), 2u);
    dialog.OnHotkey(static_cast<std::uintptr_t>(dialog.m_hkMenu.id));
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(regexes + searches, 0);
}

TEST_F(HotkeysTest, ATakenSearchCombinationIsRefusedWithTheSameMessage) {
    hotkeys.takenElsewhere[{kCtrlShift, 'F'}] = 1;
    Started();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{u"ホットキーの登録に失敗しました\n1409,"
                                                           u"Hot key is already registered.\r\n"}));
    EXPECT_EQ(hotkeys.registered.size(), 3u);
}

// Each command works for the application the user is in: a hotkey's is the foreground window,
// taken before anything is shown; the tray menu's is the application the user was in last, since
// the click gave the foreground to the taskbar. With the desktop in front there is none.
TEST_F(HotkeysTest, HotkeysDispatchToTheirActionsForTheApplicationTheUserIsIn) {
    int menus = 0, regexes = 0, searches = 0;
    std::vector<platform::Target> targets;
    app::ResidentDialog& dialog = Started();
    dialog.OnTimer(app::TIMER_HIDE);
    dialog.OnHotkey(static_cast<std::uintptr_t>(dialog.m_hkMenu.id)); // nothing set: nothing
    // The menu opens where the cursor was when the hotkey came, whatever it does meanwhile.
    screen.cursor = {12, 34};
    dialog.hooks.showCategoryMenu = [&](platform::ScreenPoint at, const platform::Target& target) {
        EXPECT_EQ(at.x, 12);
        EXPECT_EQ(at.y, 34);
        targets.push_back(target);
        ++menus;
    };
    dialog.hooks.runQuickRegex = [&](const platform::Target& target) {
        targets.push_back(target);
        ++regexes;
    };
    // The search window too opens at the cursor, from its hotkey or the tray menu's entry.
    dialog.hooks.showSearch = [&](platform::ScreenPoint at, const platform::Target& target) {
        EXPECT_EQ(at.x, 12);
        EXPECT_EQ(at.y, 34);
        targets.push_back(target);
        ++searches;
    };
    foreground.last = FakeForeground::kNotepad;
    dialog.OnHotkey(static_cast<std::uintptr_t>(dialog.m_hkMenu.id));
    dialog.OnHotkey(static_cast<std::uintptr_t>(dialog.m_hkRegex.id));
    dialog.OnHotkey(static_cast<std::uintptr_t>(dialog.m_hkSearch.id));
    dialog.OnCommand(ID_MENU_SEARCH);
    foreground.front.reset();
    dialog.OnHotkey(static_cast<std::uintptr_t>(dialog.m_hkMenu.id));
    dialog.OnHotkey(12345);
    EXPECT_EQ(menus, 2);
    EXPECT_EQ(regexes, 1);
    EXPECT_EQ(searches, 2);
    EXPECT_EQ(targets, (std::vector<platform::Target>{
                           FakeForeground::kEditor, FakeForeground::kEditor,
                           FakeForeground::kEditor, FakeForeground::kNotepad, std::nullopt}));
    EXPECT_FALSE(window.visible);
    dialog.OnHotkey(static_cast<std::uintptr_t>(dialog.m_hkPicker.id));
    EXPECT_TRUE(window.visible && !window.minimized) << "the picker shows at the cursor";
}

TEST_F(HotkeysTest, DisabledHotkeyIsNeitherRegisteredNorDispatched) {
    Set(u"mhotkey", 0);
    Set(u"hotkeynum", 18); // the picker takes the menu's old S
    int menus = 0;
    app::ResidentDialog& dialog = Started();
    dialog.hooks.showCategoryMenu = [&](platform::ScreenPoint, const platform::Target&) {
        ++menus;
    };
    EXPECT_EQ(hotkeys.registered.size(), 3u);
    EXPECT_TRUE(messages.shown.empty());
    dialog.OnTimer(app::TIMER_HIDE);
    dialog.OnHotkey(static_cast<std::uintptr_t>(6 * 256 + 'S'));
    EXPECT_EQ(menus, 0);
    EXPECT_TRUE(window.visible) << "S now shows the picker";
}

TEST_F(HotkeysTest, ProfileValuesAreUsedAsRead) {
    Set(u"hotctrl", 0);
    Set(u"hotshift", 0); // the bare letter, system-wide
    Set(u"mhotalt", 1);
    Set(u"shotkeynum", 30); // past Z: virtual key 95
    app::ResidentDialog& dialog = Started();
    EXPECT_TRUE(Holds(0, 'D'));
    EXPECT_EQ(dialog.m_hkPicker.id, 'D');
    EXPECT_TRUE(Holds(kCtrlShift | platform::kModAlt, 'S'));
    EXPECT_TRUE(Holds(kCtrlShift, 95));
}

TEST_F(HotkeysTest, HugeKeyIndexFromAHandEditedProfileStaysDefined) {
    Set(u"hotkeynum", 2147483647);
    app::ResidentDialog& dialog = Started();
    EXPECT_EQ(app::HotkeyVirtualKey(dialog.m_hkPicker), 2147483712u);
    EXPECT_EQ(dialog.m_hkPicker.id, 6 * 256 + 0x40);
}

TEST_F(HotkeysTest, SettingsConfirmedWritesTheProfileAndRegistersTheNewCombination) {
    app::ResidentDialog& dialog = Started();
    std::size_t registeredWhileOpen = 99;
    dialog.hooks.runSettings = [&](app::ResidentSettings& settings) {
        registeredWhileOpen = hotkeys.registered.size();
        EXPECT_EQ(settings.picker.keyIndex, 3);
        EXPECT_EQ(settings.search.keyIndex, 5);
        settings.picker.keyIndex = 7; // H
        settings.regex.enabled = 0;
        settings.search.alt = 1;
        settings.search.keyIndex = 0; // Ctrl+Alt+Shift+A
        settings.timeDelay = 500;
        return true;
    };
    dialog.OnSettingsButton();
    EXPECT_EQ(registeredWhileOpen, 0u);
    EXPECT_TRUE(Holds(kCtrlShift, 'H'));
    EXPECT_FALSE(Holds(kCtrlShift, 'D'));
    EXPECT_FALSE(Holds(kCtrlShift, 'A'));
    EXPECT_TRUE(Holds(kCtrlShift, 'S'));
    EXPECT_TRUE(Holds(kCtrlShift | platform::kModAlt, 'A'));
    EXPECT_FALSE(Holds(kCtrlShift, 'F'));
    EXPECT_EQ(dialog.m_nTimeDelay, 500);
    EXPECT_EQ(profile.writes.size(), 22u);
    EXPECT_EQ(profile.writes.front(), u"hotkey");
    EXPECT_EQ(profile.writes.back(), u"restoreclip");
    EXPECT_EQ((profile.values[{u"setting", u"hotkeynum"}]), 7);
    EXPECT_EQ((profile.values[{u"setting", u"shotkey"}]), 0);
    EXPECT_EQ((profile.values[{u"setting", u"fhotalt"}]), 1);
    EXPECT_EQ((profile.values[{u"setting", u"fhotkeynum"}]), 0);
}

TEST_F(HotkeysTest, SettingsCancelledLeavesTheProfileAndReRegisters) {
    app::ResidentDialog& dialog = Started();
    dialog.hooks.runSettings = [](app::ResidentSettings& settings) {
        settings.picker.keyIndex = 7;
        return false;
    };
    dialog.OnSettingsButton();
    EXPECT_TRUE(profile.writes.empty());
    EXPECT_EQ(dialog.m_hkPicker.keyIndex, 3);
    EXPECT_TRUE(Holds(kCtrlShift, 'D'));
    EXPECT_EQ(hotkeys.registered.size(), 4u);
}

TEST(ResidentSettings, ReadAndWriteKeepTheSixteenValuesTheSearchHotkeyAndRestoreClip) {
    FakeProfile profile;
    const app::ResidentSettings fresh = app::ReadSettings(profile);
    EXPECT_EQ(fresh.restoreClipboard, 0) << "off unless asked for";
    EXPECT_EQ(fresh.search,
              (app::HotkeySetting{.ctrl = 1, .shift = 1, .alt = 0, .enabled = 1, .keyIndex = 5}));
    app::ResidentSettings settings;
    settings.menu = {.ctrl = 0, .shift = 1, .alt = 1, .enabled = 0, .keyIndex = 25};
    settings.search = {.ctrl = 0, .shift = 0, .alt = 1, .enabled = 0, .keyIndex = 24};
    settings.timeDelay = 2000;
    settings.restoreClipboard = 1;
    app::WriteSettings(profile, settings);
    EXPECT_EQ(profile.writes, kProfileValuesInOrder);
    const app::ResidentSettings read = app::ReadSettings(profile);
    EXPECT_EQ(read.menu.ctrl, 0);
    EXPECT_EQ(read.menu.alt, 1);
    EXPECT_EQ(read.menu.enabled, 0);
    EXPECT_EQ(read.menu.keyIndex, 25);
    EXPECT_EQ(read.picker.keyIndex, 3);
    EXPECT_EQ(read.timeDelay, 2000);
    EXPECT_EQ(read.restoreClipboard, 1);
    EXPECT_EQ(read.search, settings.search);
}

} // namespace
} // namespace kvtx::testing
