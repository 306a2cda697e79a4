// Creation, start-up, the tray icon, commands, hiding and exiting of the resident window.

#include "app/tray_registration.h"
#include "tests/app/resident_fixture.h"

#include <algorithm>

namespace kvtx::testing {
namespace {

using platform::TrayResult;

using ResidentLifecycleTest = ResidentFixture;

TEST_F(ResidentLifecycleTest, StartUpReadsTheProfileAddsTheIconAndHidesAfterTheDelay) {
    app::ResidentDialog& dialog = Started();
    EXPECT_EQ(profile.reads, kProfileValuesInOrder);
    EXPECT_EQ(tray.log, (std::vector<std::string>{"add"}));
    EXPECT_EQ(window.prepared, 1);
    EXPECT_TRUE(window.visible && window.minimized);
    EXPECT_EQ(timers.running, (std::map<unsigned, unsigned>{{app::TIMER_HIDE, 150}}));
    EXPECT_EQ(dialog.m_strAppDir, kFolder);

    dialog.OnTimer(app::TIMER_HIDE);
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(timers.running.empty());
    EXPECT_FALSE(window.ended.has_value());
}

TEST_F(ResidentLifecycleTest, DelayComesFromTheProfile) {
    profile.values[{u"setting", u"timedelay"}] = 2000;
    Started();
    EXPECT_EQ(timers.running[app::TIMER_HIDE], 2000u);
}

TEST_F(ResidentLifecycleTest, NegativeDelayDoesNotKeepTheWindowMinimizedForWeeks) {
    profile.values[{u"setting", u"timedelay"}] = -5;
    Started();
    EXPECT_EQ(timers.running[app::TIMER_HIDE], 0u);
}

TEST_F(ResidentLifecycleTest, RefusedTrayIconReportsAndEndsBeforeAnythingElse) {
    tray.addAnswers = {TrayResult::Failed};
    app::ResidentDialog& dialog = Started();
    EXPECT_EQ(messages.shown, (std::vector<std::u16string>{u"Korvatexの登録に失敗しました"}));
    EXPECT_EQ(dialog.m_bExiting, 1);
    EXPECT_EQ(window.closes, 1);
    EXPECT_EQ(window.ended, app::IDCANCEL_RESULT);
    EXPECT_TRUE(hotkeys.registered.empty());
    EXPECT_EQ(window.prepared, 0) << "initialisation does not run";
}

TEST_F(ResidentLifecycleTest, TimedOutShellGetsTenRetriesThenTheProgramRunsWithoutIcon) {
    tray.addAnswers.assign(11, TrayResult::TimedOut);
    tray.modifyAnswers.assign(10, TrayResult::Failed);
    Started();
    EXPECT_EQ(sleeps, std::vector<unsigned>(10, 2000));
    EXPECT_EQ(tray.log.size(), 21u);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(hotkeys.registered.size(), 4u) << "the hotkeys work without an icon";
    // A new taskbar brings the icon.
    Dialog().OnTaskbarCreated();
    EXPECT_EQ(tray.log.back(), "add");
    EXPECT_TRUE(tray.shown);
}

TEST(TrayRetries, FirstSuccessEndsTheRetriesAndAnOutrightRefusalFails) {
    std::vector<unsigned> sleeps;
    const auto sleep = [&](unsigned ms) { sleeps.push_back(ms); };
    FakeTrayIcon lateModify;
    lateModify.addAnswers = {TrayResult::TimedOut};
    lateModify.modifyAnswers = {TrayResult::Failed, TrayResult::Done};
    lateModify.addAnswers.push_back(TrayResult::TimedOut);
    EXPECT_TRUE(app::AddTrayIcon(lateModify, sleep));
    EXPECT_EQ(lateModify.log, (std::vector<std::string>{"add", "modify", "add", "modify"}));
    EXPECT_EQ(sleeps.size(), 2u);

    FakeTrayIcon refusedLater;
    refusedLater.addAnswers = {TrayResult::TimedOut, TrayResult::TimedOut, TrayResult::Failed};
    refusedLater.modifyAnswers = {TrayResult::Failed, TrayResult::Failed};
    EXPECT_FALSE(app::AddTrayIcon(refusedLater, sleep));
    EXPECT_EQ(refusedLater.log.size(), 5u) << "no attempt after the refusal";
}

// Up and left of the cursor, and wholly inside the work area of the cursor's monitor: near an
// edge or the taskbar it stands back, on a second monitor it stays there, and a window larger
// than the area starts at its corner.
TEST(PickerPosition, UpAndLeftOfTheCursorWhollyInsideTheWorkArea) {
    constexpr platform::ScreenRect kScreen{0, 0, 1280, 994};
    constexpr platform::ScreenRect kLeftMonitor{-1920, -300, 0, 780};
    struct Case {
        platform::ScreenPoint cursor;
        platform::ScreenSize size;
        platform::ScreenRect area;
        platform::ScreenPoint at;
    };
    const Case cases[] = {
        {{400, 300}, {508, 297}, kScreen, {300, 270}},
        {{1250, 1000}, {508, 297}, kScreen, {772, 697}},
        {{20, 10}, {508, 297}, kScreen, {0, 0}},
        {{-1900, -290}, {508, 297}, kLeftMonitor, {-1920, -300}},
        {{-5, 770}, {508, 297}, kLeftMonitor, {-508, 483}},
        {{600, 500}, {1400, 1100}, kScreen, {0, 0}},
    };
    for (const auto& c : cases) {
        const platform::ScreenPoint at = app::PickerPosition(c.cursor, c.size, c.area);
        EXPECT_EQ(at.x, c.at.x) << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(at.y, c.at.y) << c.cursor.x << "," << c.cursor.y;
    }
}

TEST_F(ResidentLifecycleTest, TrayClicksShowThePickerOrTheMenuAndNothingElseActs) {
    Started();
    // Above the taskbar, on the monitor under the cursor.
    screen.cursor = {1019, 763};
    Dialog().OnTrayNotify(app::WM_TRAYNOTIFY, 1, 514);
    ASSERT_TRUE(window.position.has_value());
    EXPECT_EQ(window.position->x, 1024 - 508);
    EXPECT_EQ(window.position->y, 738 - 297);
    screen.cursor = {1500, 100};
    Dialog().OnTrayNotify(app::WM_TRAYNOTIFY, 1, 514);
    EXPECT_EQ(window.position->x, 1400);
    EXPECT_EQ(window.position->y, 70);
    Dialog().OnTrayNotify(app::WM_TRAYNOTIFY, 1, 517);
    EXPECT_EQ(window.trayMenus, 1);
    window.position.reset();
    Dialog().OnTrayNotify(app::WM_TRAYNOTIFY, 1, 512); // mouse move
    Dialog().OnTrayNotify(app::WM_TRAYNOTIFY, 1, 513); // button down
    Dialog().OnTrayNotify(app::WM_TRAYNOTIFY + 1, 1, 514);
    EXPECT_FALSE(window.position.has_value());
    EXPECT_EQ(window.trayMenus, 1);
}

TEST_F(ResidentLifecycleTest, CancelEscAndCloseOnlyHideUntilExit) {
    Started();
    Dialog().OnTrayNotify(app::WM_TRAYNOTIFY, 0, 514);
    Dialog().OnCancel();
    EXPECT_FALSE(window.visible);
    Dialog().OnClose();
    Dialog().OnCancel();
    EXPECT_FALSE(window.ended.has_value());
    EXPECT_EQ(hotkeys.registered.size(), 4u);
    EXPECT_TRUE(tray.shown);
}

TEST_F(ResidentLifecycleTest, ExitReleasesHotkeysAndIconOnceAndEnds) {
    Started();
    Dialog().OnCommand(32771);
    EXPECT_EQ(Dialog().m_bExiting, 1);
    EXPECT_EQ(window.ended, app::IDCANCEL_RESULT);
    EXPECT_TRUE(hotkeys.registered.empty());
    Dialog().OnDestroy();
    Dialog().OnClose();
    EXPECT_EQ(std::count(tray.log.begin(), tray.log.end(), "delete"), 1);
    EXPECT_EQ(std::count_if(hotkeys.log.begin(), hotkeys.log.end(),
                            [](const std::string& entry) { return entry.starts_with("un"); }),
              4);
}

TEST_F(ResidentLifecycleTest, PhraseCommandsGoToApplyItemByPosition) {
    Started();
    std::vector<int> applied;
    Dialog().OnCommand(32851 + 26 + 4); // nothing set yet: nothing happens
    Dialog().hooks.applyItem = [&](int index) { applied.push_back(index); };
    Dialog().OnCommand(32851 + 26 + 4);
    Dialog().OnCommand(32851 + 26 * 26 - 1);
    Dialog().OnCommand(32851 + 26 * 26); // would be a 27th category
    Dialog().OnCommand(1003);
    EXPECT_EQ(applied, (std::vector<int>{30, 675}));
    EXPECT_EQ(Dialog().m_bExiting, 0);
}

TEST_F(ResidentLifecycleTest, PasteTimerGoesToItsHookOnly) {
    Started();
    int pastes = 0;
    Dialog().OnTimer(app::TIMER_PASTE);
    Dialog().hooks.pasteTimer = [&] { ++pastes; };
    window.visible = true;
    Dialog().OnTimer(app::TIMER_PASTE);
    EXPECT_EQ(pastes, 1);
    EXPECT_TRUE(window.visible);
}

} // namespace
} // namespace kvtx::testing
