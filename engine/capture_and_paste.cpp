#include "engine/capture_and_paste.h"

#include "engine/caret_stops.h"
#include "engine/regex_messages.h"

#include <algorithm>

namespace kvtx {
namespace {

constexpr int kWaitSliceMs = 10;
constexpr int kWaitsBeforeCopy = 5;
constexpr int kPumpsPerWait = 3;
constexpr int kItemsPerCategory = kMaxItems;

constexpr char16_t kTargetAboveUs[] =
    u"管理者として実行中のアプリケーションには貼り付けできません。"
    u"Korvatexも管理者として実行してください。";

} // namespace

// Marks an application as under way for as long as it runs, even if it leaves early.
class CaptureAndPaste::BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope() { busy_ = false; }

private:
    bool& busy_;
};

CaptureAndPaste::CaptureAndPaste(DriverServices services, PickerMembers& picker,
                                 TextTransforms& transforms)
    : services_(services), picker_(picker), transforms_(transforms),
      keeper_(services.clipboard, services.window, services.thread) {}

void CaptureAndPaste::HideSequence() {
    services_.window.Minimize();
    services_.window.Hide();
    services_.window.FocusForegroundWindow();
}

void CaptureAndPaste::Pump() {
    for (int pump = 0; pump < kPumpsPerWait; ++pump) {
        services_.thread.PumpOneMessage();
    }
}

void CaptureAndPaste::WaitAndPump() {
    for (int wait = 0; wait < kWaitsBeforeCopy; ++wait) {
        services_.thread.Wait(kWaitSliceMs);
        Pump();
    }
}

// Watches the clipboard for as long as the copy is awaited, so that its change ends the wait.
class CaptureAndPaste::ClipboardWatch {
public:
    explicit ClipboardWatch(platform::Clipboard& clipboard) : clipboard_(clipboard) {
        clipboard_.WatchChanges(true);
    }
    ClipboardWatch(const ClipboardWatch&) = delete;
    ClipboardWatch& operator=(const ClipboardWatch&) = delete;
    ~ClipboardWatch() { clipboard_.WatchChanges(false); }

private:
    platform::Clipboard& clipboard_;
};

std::u16string CaptureAndPaste::AwaitCopy(std::uint32_t sequenceBefore) {
    const std::int64_t deadline = services_.thread.SteadyMilliseconds() + kCopyWaitMs;
    for (;;) {
        // The target has copied once the contents changed and it has closed the clipboard.
        if (services_.clipboard.SequenceNumber() != sequenceBefore) {
            if (auto text = services_.clipboard.ReadText()) {
                return *std::move(text);
            }
        }
        const std::int64_t left = deadline - services_.thread.SteadyMilliseconds();
        if (left <= 0) {
            break;
        }
        services_.thread.WaitForMessage(
            static_cast<int>(std::min<std::int64_t>(left, kWaitSliceMs)));
        Pump();
    }
    // Nothing was copied: many applications copy nothing without a selection, and a user may
    // apply an item to text copied earlier, so the capture goes on with what the clipboard holds.
    return services_.clipboard.ReadText().value_or(std::u16string());
}

// Dispatches nothing: a message handled here could start another application between the
// decision to send a chord and the chord itself.
void CaptureAndPaste::WaitForModifierRelease() {
    for (int waited = 0; waited < kModifierReleaseWaitMs && services_.keystrokes.ModifierHeld();
         waited += kWaitSliceMs) {
        services_.thread.Wait(kWaitSliceMs);
    }
}

void CaptureAndPaste::SendChord(std::uint8_t letter) {
    WaitForModifierRelease();
    services_.keystrokes.ControlChord(letter);
}

std::optional<std::u16string> CaptureAndPaste::CaptureSelection() {
    HideSequence();
    // The focus returns to the target meanwhile.
    WaitAndPump();
    if (!services_.keystrokes.ForegroundTakesKeys()) {
        services_.messages.Show(kTargetAboveUs);
        return std::nullopt;
    }
    if (picker_.RestoresClipboard()) {
        keeper_.SaveBeforeCopy();
    }
    const ClipboardWatch watch(services_.clipboard);
    const std::uint32_t sequenceBefore = services_.clipboard.SequenceNumber();
    SendChord(platform::kVkC);
    return AwaitCopy(sequenceBefore);
}

void CaptureAndPaste::SendPendingPaste() {
    if (!pastePending_) {
        return;
    }
    pastePending_ = false;
    services_.window.KillPasteTimer();
    Paste();
}

void CaptureAndPaste::Paste() {
    // Announced, when the user's clipboard is to come back: its render request tells when the
    // paste has taken it. The chord waits for the modifiers first, so the announcement comes
    // right before the keys.
    WaitForModifierRelease();
    keeper_.AnnounceForPaste(pasteText_, services_.keystrokes.ForegroundProcessId());
    services_.keystrokes.ControlChord(platform::kVkV);
    // The caret goes back to where "%{カーソル}" stood, once the paste has put it after the text.
    if (pasteCaretStops_ > 0) {
        WaitForModifierRelease();
        services_.keystrokes.LeftArrows(pasteCaretStops_);
    }
}

void CaptureAndPaste::OnPasteTimer() {
    // The timer goes on ticking: pasted in the middle of a capture, the paste would take away
    // the selection the capture copies, and in the menu it would be lost.
    if (busy_ || menuOpen_) {
        return;
    }
    services_.window.KillPasteTimer();
    // A timer message left in the queue after the paste was sent early pastes nothing more.
    if (!pastePending_) {
        return;
    }
    pastePending_ = false;
    Paste();
}

void CaptureAndPaste::HoldPasteWhile(const std::function<void()>& showMenu) {
    menuOpen_ = true;
    showMenu();
    menuOpen_ = false;
}

void CaptureAndPaste::Deliver(const std::u16string& result, const std::u16string& selection,
                              std::size_t caretStops) {
    picker_.SetPreview(result);
    picker_.ShowInControls();
    picker_.CopyPreviewToClipboard();
    // An empty result copies nothing, so the paste puts the selection back.
    pasteText_ = result.empty() ? selection : result;
    pasteCaretStops_ = result.empty() ? 0 : caretStops;
    HideSequence();
    services_.window.StartPasteTimer(picker_.TimeDelay());
    pastePending_ = true;
}

void CaptureAndPaste::ApplyItem(int index) {
    if (busy_) {
        return;
    }
    BusyScope busy(busy_);

    const int category = index / kItemsPerCategory;
    const int item = index % kItemsPerCategory;
    picker_.TakeFromControls();
    picker_.SetCategory(category);
    picker_.ShowInControls();
    picker_.SelectCategory();
    picker_.SetItem(item);
    picker_.ShowInControls();
    picker_.ShowPreview();

    // An id that names no item (a file changed since the menu was built, or an id no menu
    // makes) would otherwise apply whatever category happens to be loaded.
    const PhraseStore& store = picker_.Store();
    if (index < 0 || category >= store.CategoryCount() || picker_.Category() != category ||
        item >= store.ItemCount() || picker_.Item() != item) {
        HideSequence();
        return;
    }
    // Copies, because the messages dispatched while capturing may load another category.
    const PhraseItem chosen = store.Loaded().header.items[item];
    const ItemContent content = store.Loaded().contents[item];
    std::u16string text = picker_.Preview();

    const auto kind = static_cast<ItemKind>(chosen.kind);
    // Nothing to insert for another kind: pasting would put unrelated clipboard text over the
    // selection.
    if (kind != ItemKind::TextInsertion && kind != ItemKind::TextConversion) {
        HideSequence();
        return;
    }
    auto captured = CaptureSelection();
    if (!captured) {
        HideSequence();
        return;
    }
    std::size_t caretStops = 0;
    if (kind == ItemKind::TextInsertion) {
        if (const auto caret = transforms_.ExpandTemplate(text, *captured)) {
            caretStops = CaretStopsAfter(text, *caret);
        }
    } else {
        text = *captured;
        if (!transforms_.ApplyConversion(chosen, content, text)) {
            HideSequence();
            return;
        }
    }
    Deliver(text, *captured, caretStops);
}

void CaptureAndPaste::RunQuickRegex(RegexPrompt& prompt) {
    if (busy_) {
        return;
    }
    BusyScope busy(busy_);
    // Before the dialog opens: a paste sent while it has the focus would land in its fields.
    SendPendingPaste();

    const auto request = prompt.AskRegex();
    if (!request) {
        HideSequence();
        return;
    }
    auto captured = CaptureSelection();
    if (!captured) {
        HideSequence();
        return;
    }
    std::u16string text = *captured;
    const RegexStatus status =
        transforms_.SubstituteQuick(text, request->pattern, request->replacement);
    if (status != RegexStatus::kDone) {
        services_.messages.Show(std::u16string(RegexFailureMessage(status)));
        HideSequence();
        return;
    }
    Deliver(text, *captured);
}

} // namespace kvtx
