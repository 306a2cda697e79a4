// Hundreds of applications of mixed items through the category menu, with the picker, the editor
// and the quick tool opened in between: no paste lost or garbled, and the program's handles,
// windows and memory grow by no more than a small bound. The test command runs a short form of
// 20 applications; scripts/soak the long one of 500, which takes about forty minutes
// (KVTX_SOAK_APPLICATIONS sets the number).
#include "platform/utf.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/top_level_windows.h"
#include "tests/e2e/driver/waiting.h"
#include "tests/e2e/korvatex/apply_scenario.h"
#include "tests/e2e/korvatex/editor_window.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <psapi.h>

namespace kvtx::e2e {
namespace {

// What the program holds. Wine reports no handle, GDI or USER object counts (they read 0), so
// those are bounded only where the system gives them; the windows are counted directly.
struct Footprint {
    DWORD handles = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    std::size_t windows = 0;
    SIZE_T privateBytes = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

std::size_t WindowsOf(DWORD processId) {
    std::size_t count = 0;
    for (HWND window : FindTopLevelWindows({u"", std::nullopt, processId, false})) {
        ++count;
        ::EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

Footprint FootprintOf(DWORD processId) {
    Footprint footprint;
    const win32::KernelHandle process(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process.valid()) {
        return footprint;
    }
    ::GetProcessHandleCount(process.get(), &footprint.handles);
    footprint.gdiObjects = ::GetGuiResources(process.get(), GR_GDIOBJECTS);
    footprint.userObjects = ::GetGuiResources(process.get(), GR_USEROBJECTS);
    footprint.windows = WindowsOf(processId);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(process.get(), &memory, sizeof memory)) {
        footprint.privateBytes = memory.PagefileUsage;
    }
    return footprint;
}

// A count the system does not report stays 0 and bounds nothing.
void ExpectBounded(const char* what, DWORD start, DWORD end, DWORD bound) {
    if (start == 0 && end == 0) {
        std::printf("%s: not reported by this system\n", what);
        return;
    }
    EXPECT_LE(end, start + bound) << what;
}

int Applications() {
    const char* count = std::getenv("KVTX_SOAK_APPLICATIONS");
    return count != nullptr ? std::atoi(count) : 20;
}

// Appended piece by piece: GCC 12 warns falsely on a literal added to a string in these texts.
std::u16string Joined(std::initializer_list<std::u16string_view> pieces) {
    std::u16string text;
    for (const auto piece : pieces) {
        text += piece;
    }
    return text;
}

std::u16string Number(int value) {
    return platform::Utf8ToUtf16(std::to_string(value));
}

class SoakTest : public ApplyScenario {
protected:
    void SetUp() override {
        Start({{u"混合",
                {TextItem(u"括弧", u"[%original]"), TextItem(u"定型", u"お世話になっております。😀"),
                 ConversionItem(u"番号", {{1, u"(\\d+)", u"<$1>", {}}}),
                 ConversionItem(u"置換", {{0, u"猫", u"犬", {}}})}}});
    }

    // One application of item `item` (its letter) over a fresh selection, checked in full.
    testing::AssertionResult Apply(int round, int item) {
        const std::u16string number = Number(round);
        const std::u16string selected = Joined({u"猫", number, u"\r\n😀行"});
        const std::u16string expected[] = {
            Joined({u"[", selected, u"]"}),
            u"お世話になっております。😀",
            Joined({u"猫<", number, u">\r\n😀行"}),
            Joined({u"犬", number, u"\r\n😀行"}),
        };
        Prepare(selected, 0, -1);
        ChooseFromMenu({'A', static_cast<WORD>('A' + item)});
        return TargetShows(expected[item]);
    }

    void OpenEveryWindowOnce() {
        // Opening the editor presses the picker hotkey first; a hotkey lost there fails the soak.
        EditorWindow editor(*app_);
        ASSERT_TRUE(editor.Open());
        ASSERT_TRUE(editor.Close());
        ASSERT_TRUE(app_->HidePicker());
        ASSERT_TRUE(target_->Focus());
        PressHotkey(kRegexHotkey);
        ASSERT_NE(WaitForDialog(u"正規表現"), nullptr);
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(WaitUntilClosed(u"正規表現"));
    }
};

TEST_F(SoakTest, MixedApplicationsLoseNothingAndLeakNothing) {
    const int applications = Applications();
    // About ten rounds of the windows in a run, so that a short run still opens them after the
    // footprint is first taken.
    const int windowsEvery = std::clamp(applications / 10, 5, 50);
    Footprint start;
    for (int round = 0; round < applications; ++round) {
        ASSERT_TRUE(Apply(round, round % 4)) << "application " << round;
        if (round % windowsEvery == windowsEvery - 1) {
            OpenEveryWindowOnce();
            if (HasFatalFailure()) {
                return;
            }
        }
        // After the first windows were opened once: what they create only once is not growth.
        if (round == windowsEvery) {
            start = FootprintOf(app_->Instance().Id());
        }
    }
    // A dialog that has just closed may still be on its way out: only windows that stay count.
    Footprint end;
    const bool windowsSettled = WaitUntil("the program's windows to go back to their count", [&] {
        end = FootprintOf(app_->Instance().Id());
        return end.windows <= start.windows + 2;
    });
    std::printf("after %d applications: windows %zu → %zu, handles %lu → %lu, GDI objects %lu → "
                "%lu, USER objects %lu → %lu, private bytes %.1f → %.1f MiB\n",
                applications, start.windows, end.windows, start.handles, end.handles,
                start.gdiObjects, end.gdiObjects, start.userObjects, end.userObjects,
                static_cast<double>(start.privateBytes) / (1 << 20),
                static_cast<double>(end.privateBytes) / (1 << 20));
    ASSERT_GT(start.privateBytes, 0u) << "the program's memory could not be read";
    EXPECT_LE(end.privateBytes, start.privateBytes + (4u << 20));
    EXPECT_TRUE(windowsSettled);
    ExpectBounded("handles", start.handles, end.handles, 16);
    ExpectBounded("GDI objects", start.gdiObjects, end.gdiObjects, 8);
    ExpectBounded("USER objects", start.userObjects, end.userObjects, 8);
}

} // namespace
} // namespace kvtx::e2e
