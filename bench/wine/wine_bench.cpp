// The real korvatex.exe under Wine, measured as a user meets it: from the menu hotkey to the
// pasted text, the category menu of a full store, start-up to a registered hotkey, and the idle
// process. Run by scripts/bench-wine on the scenarios' X server and prefix; never by the tests.
#include "tests/e2e/driver/hotkeys.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/remote_controls.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/unix_command.h"
#include "tests/e2e/korvatex/apply_scenario.h"

#include <algorithm>
#include <cstdio>
#include <psapi.h>

namespace kvtx::e2e {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kApplications = 50;
constexpr int kMenuOpenings = 20;
constexpr int kStarts = 5;
constexpr auto kIdleWindow = 10s;

// The driver polls at 15 ms; a measurement needs the moment itself.
bool PollFinely(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    return PollUntil(condition, timeout, 1ms);
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

void PrintRow(const char* what, std::vector<double> samples, const char* floor) {
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    std::printf("| %s | %zu | %.0f ms | %.0f ms | %s |\n", what, n, median, samples.back(), floor);
}

std::vector<StoreCategory> FullStore() {
    std::vector<StoreCategory> store;
    for (int c = 0; c < 26; ++c) {
        StoreCategory category{u"カテゴリ" + std::u16string(1, static_cast<char16_t>(u'Ａ' + c)),
                               {}};
        for (int i = 0; i < 26; ++i) {
            category.items.push_back(TextItem(
                u"項目/" + std::u16string(1, static_cast<char16_t>(u'ａ' + i)), u"本文 %original"));
        }
        store.push_back(category);
    }
    return store;
}

class WineBench : public ApplyScenario {
protected:
    // A fresh selection in the target, then the menu hotkey at the cursor; `pressed` is when the
    // hotkey went out.
    testing::AssertionResult OpenMenu(Clock::time_point& pressed) {
        Prepare(u"選択", 0, -1);
        MoveMouse({300, 200});
        pressed = Clock::now();
        PressHotkey(kMenuHotkey);
        if (!PollFinely([&] { return app_->MenuTakesKeys(1); }, 10s)) {
            return testing::AssertionFailure() << "the category menu did not open";
        }
        return testing::AssertionSuccess();
    }
};

TEST_F(WineBench, MenuHotkeyToPastedText) {
    const std::u16string text = u"お世話になっております。";
    Start({{u"定型", {TextItem(u"挨拶", text)}}});
    std::vector<double> fromHotkey;
    std::vector<double> fromLetter;
    std::vector<double> toCopy;
    std::vector<double> copyToPaste;
    for (int run = 0; run < kApplications; ++run) {
        Clock::time_point pressed;
        ASSERT_TRUE(OpenMenu(pressed));
        PressKey('A');
        ASSERT_TRUE(PollFinely([&] { return app_->MenuTakesKeys(2); }, 10s));
        const auto chosen = Clock::now();
        // The sequence number moves when the target's copy lands, without opening the clipboard
        // under the program.
        const DWORD sequence = ::GetClipboardSequenceNumber();
        PressKey('A');
        ASSERT_TRUE(PollFinely([&] { return ::GetClipboardSequenceNumber() != sequence; }, 10s));
        const auto copied = Clock::now();
        ASSERT_TRUE(PollFinely([&] { return target_->Text() == text; }, 10s)) << "run " << run;
        const auto changed = Clock::now();
        fromHotkey.push_back(Milliseconds(changed - pressed));
        fromLetter.push_back(Milliseconds(changed - chosen));
        toCopy.push_back(Milliseconds(copied - chosen));
        copyToPaste.push_back(Milliseconds(changed - copied));
    }
    std::printf("| measured | runs | median | worst | floor |\n|---|---|---|---|---|\n");
    PrintRow("menu hotkey → target text changed", fromHotkey, "250 ms");
    PrintRow("item's letter → target text changed", fromLetter,
             "250 ms (100 ms of waits + 150 ms delay)");
    PrintRow("item's letter → selection copied", toCopy, "50 ms of waits");
    PrintRow("selection copied → target text changed", copyToPaste, "200 ms (50 ms + 150 ms)");
}

TEST_F(WineBench, CategoryMenuOfTwentySixFullCategories) {
    Start(FullStore());
    std::vector<double> opened;
    for (int run = 0; run < kMenuOpenings; ++run) {
        Clock::time_point pressed;
        ASSERT_TRUE(OpenMenu(pressed));
        opened.push_back(Milliseconds(Clock::now() - pressed));
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(PollFinely([&] { return app_->VisibleMenus().empty(); }, 10s));
    }
    PrintRow("menu hotkey → menu of 26 × 26 items open", opened, "—");
}

// Context switches of every thread of the program's Unix process: each one is a wake-up.
std::optional<long> ContextSwitches() {
    const auto result =
        RunUnixCommand("cat /proc/$(pgrep -f 'korvatex\\.exe' | head -1)/task/*/status |"
                       " awk '/ctxt_switches/ { n += $2 } END { print n }'",
                       10s);
    if (!result || result->status != 0 || result->output.empty()) {
        return std::nullopt;
    }
    return std::stol(result->output);
}

double CpuMilliseconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(process, &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME t) {
        return static_cast<double>(static_cast<ULONGLONG>(t.dwHighDateTime) << 32 |
                                   t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10'000;
}

// The hotkeys are registered while the window is created, before the category list is filled,
// so a filled list bounds the time to a registered hotkey from above. Probing the hotkey itself
// would race: while the probe holds the combination, the program's registration fails.
TEST(WineBenchStartup, StartupToRegisteredHotkeyAndTheIdleProcess) {
    std::vector<double> startup;
    for (int run = 0; run < kStarts; ++run) {
        KorvatexApp app;
        const auto started = Clock::now();
        app.Start();
        const DWORD id = app.Instance().Id();
        ASSERT_TRUE(PollFinely(
            [&] {
                HWND window = FindTopLevelWindow({u"#32770", u"Mobrelle", id});
                return window != nullptr &&
                       ComboBoxItems(ChildById(window, picker::kCategories)).size() ==
                           SampleStore().size();
            },
            30s));
        startup.push_back(Milliseconds(Clock::now() - started));
        ASSERT_TRUE(app.WaitUntilHidden());
        ASSERT_TRUE(HotkeyTakenElsewhere(kMenuHotkey.modifiers, kMenuHotkey.key));
        if (run == 0) {
            const win32::KernelHandle process(
                ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
            ASSERT_TRUE(process.valid());
            const double cpuBefore = CpuMilliseconds(process.get());
            const auto switchesBefore = ContextSwitches();
            // A measurement window, not a wait for something to happen.
            ::Sleep(static_cast<DWORD>(std::chrono::milliseconds(kIdleWindow).count()));
            const auto switchesAfter = ContextSwitches();
            const double cpu = CpuMilliseconds(process.get()) - cpuBefore;
            PROCESS_MEMORY_COUNTERS memory{};
            memory.cb = sizeof memory;
            ::GetProcessMemoryInfo(process.get(), &memory, sizeof memory);
            std::printf("| idle for %lld s | CPU %.0f ms | context switches %s | working set %.1f "
                        "MiB |\n",
                        static_cast<long long>(kIdleWindow.count()), cpu,
                        switchesBefore && switchesAfter
                            ? std::to_string(*switchesAfter - *switchesBefore).c_str()
                            : "unknown",
                        static_cast<double>(memory.WorkingSetSize) / (1 << 20));
        }
        ASSERT_TRUE(app.ExitFromTray());
    }
    PrintRow("start → hotkeys registered and store loaded", startup, "—");
}

} // namespace
} // namespace kvtx::e2e
