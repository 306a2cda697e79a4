#include "engine/capture_and_paste.h"

#include "engine/caret_stops.h"
#include "engine/regex_messages.h"
#include "engine/template_expansion.h"

#include <algorithm>
#include <utility>

namespace kvtx {
namespace {

constexpr int kWaitSliceMs = 10;
constexpr int kWaitsBeforeCopy = 5;
constexpr int kPumpsPerWait = 3;
constexpr int kItemsPerCategory = kMaxItems;

constexpr char16_t kTargetAboveUs[] =
    u"管理者として実行中のアプリケーションには貼り付けできません。"
    u"Korvatexも管理者として実行してください。";
constexpr char16_t kTargetMissing[] = u"貼り付け先のウィンドウが見つからないため、中止しました。";
constexpr platform::KeyChord kCtrlC{true, false, platform::kVkC};
constexpr platform::KeyChord kCtrlInsert{true, false, platform::kVkInsert};

platform::KeyChord PasteChord(PasteKeys keys) {
    switch (keys) {
    case PasteKeys::ShiftInsert:
        return {false, true, platform::kVkInsert};
    case PasteKeys::CtrlShiftV:
        return {true, true, platform::kVkV};
    default:
        return {true, false, platform::kVkV};
    }
}

// How many units from `at` make up to `characters` characters, counted as caret stops are (a
// surrogate pair and a CR LF as one), so that no piece splits them.
std::size_t TypedPiece(std::u16string_view text, std::size_t at, std::size_t characters) {
    std::size_t end = at;
    for (std::size_t taken = 0; taken < characters && end < text.size(); ++taken) {
        end += StopLength(text, end);
    }
    return end - at;
}

constexpr char16_t kNothingCopiedToType[] =
    u"選択した文字列をコピーできなかったため、入力しませんでした。";
constexpr char16_t kTypingStopped[] = u"貼り付け先が切り替わったため、入力を中止しました。";
constexpr char16_t kClipboardHeld[] =
    u"ほかのプログラムがクリップボードを使用中のため貼り付けませんでした。";
constexpr char16_t kTargetNotAnswering[] =
    u"貼り付け先のアプリケーションが応答しないため、中止しました。";

// Why a result due for its paste was not pasted; it stays on the clipboard.
std::u16string PasteWithheld(platform::TargetState state) {
    const std::u16string why = state == platform::TargetState::Gone
                                   ? u"貼り付け先のウィンドウが閉じられたため"
                               : state == platform::TargetState::NotAnswering
                                   ? u"貼り付け先のアプリケーションが応答しないため"
                                   : u"貼り付け先が切り替わったため";
    return why + u"貼り付けませんでした。結果はクリップボードにあります。";
}

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
      keeper_(services.clipboard, services.window, services.thread, services.balloon) {}

void CaptureAndPaste::HideSequence(const platform::Target& target) {
    services_.window.Minimize();
    services_.window.Hide();
    // Which window the system activates once the program's is hidden depends on the z-order (the
    // taskbar, say); the program still has the right to choose, and gives it to the target, unless
    // that is gone or hangs.
    if (!target) {
        return;
    }
    const platform::TargetState state = services_.foreground.StateOf(*target);
    if (state != platform::TargetState::Gone && state != platform::TargetState::NotAnswering) {
        services_.foreground.BringToFront(*target);
    }
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

bool CaptureAndPaste::PumpUntil(int milliseconds, const std::function<bool()>& done) {
    const std::int64_t deadline = services_.thread.SteadyMilliseconds() + milliseconds;
    for (;;) {
        if (done()) {
            return true;
        }
        const std::int64_t left = deadline - services_.thread.SteadyMilliseconds();
        if (left <= 0) {
            return false;
        }
        services_.thread.WaitForMessage(
            static_cast<int>(std::min<std::int64_t>(left, kWaitSliceMs)));
        Pump();
    }
}

std::optional<std::u16string> CaptureAndPaste::AwaitCopy(std::uint32_t sequenceBefore) {
    std::optional<std::u16string> text;
    // The target has copied once the contents changed and it has closed the clipboard.
    PumpUntil(kCopyWaitMs, [&] {
        if (services_.clipboard.SequenceNumber() != sequenceBefore) {
            text = services_.clipboard.ReadText();
        }
        return text.has_value();
    });
    return text;
}

// Dispatches nothing: a message handled here could start another application between the
// decision to send a chord and the chord itself.
void CaptureAndPaste::WaitForModifierRelease() {
    for (int waited = 0; waited < kModifierReleaseWaitMs && services_.keystrokes.ModifierHeld();
         waited += kWaitSliceMs) {
        services_.thread.Wait(kWaitSliceMs);
    }
}

void CaptureAndPaste::SendChord(platform::KeyChord chord) {
    WaitForModifierRelease();
    services_.keystrokes.Press(chord);
}

platform::TargetState CaptureAndPaste::AwaitTarget(const platform::TargetWindow& target) {
    platform::TargetState state = platform::TargetState::Elsewhere;
    PumpUntil(kTargetWaitMs, [&] {
        state = services_.foreground.StateOf(target);
        return state != platform::TargetState::Elsewhere;
    });
    return state;
}

std::optional<std::u16string> CaptureAndPaste::CaptureSelection(const platform::Target& target,
                                                                bool restores, bool copies,
                                                                const ApplicationKeys& keys) {
    HideSequence(target);
    // An item chosen with the desktop or the taskbar in front has nowhere to go.
    if (!target) {
        services_.messages.Show(kTargetMissing);
        return std::nullopt;
    }
    // The target takes its activation meanwhile; without a copy keystroke to send, its having
    // the keyboard is all that is waited for.
    const bool copyKeystroke = copies && keys.copy != CopyKeys::None;
    if (copyKeystroke) {
        WaitAndPump();
    }
    switch (AwaitTarget(*target)) {
    case platform::TargetState::Ready:
        break;
    case platform::TargetState::NotAnswering:
        services_.messages.Show(kTargetNotAnswering);
        return std::nullopt;
    default:
        services_.messages.Show(kTargetMissing);
        return std::nullopt;
    }
    services_.foreground.ReturnFocus(*target);
    if (!services_.keystrokes.ProcessTakesKeys(target->process)) {
        services_.messages.Show(kTargetAboveUs);
        return std::nullopt;
    }
    if (restores) {
        keeper_.BeginApplication();
    }
    // An item that does not use the selection sends no copy keystroke: in a console or a terminal
    // Ctrl+C throws the typed line away or interrupts the program running there.
    if (!copies) {
        return std::u16string();
    }
    // An application that copies on select, or whose user copies first, has put the selection
    // there already.
    if (!copyKeystroke) {
        return services_.clipboard.ReadText().value_or(std::u16string());
    }
    const ClipboardWatch watch(services_.clipboard);
    const std::uint32_t sequenceBefore = services_.clipboard.SequenceNumber();
    SendChord(keys.copy == CopyKeys::CtrlInsert ? kCtrlInsert : kCtrlC);
    if (auto copied = AwaitCopy(sequenceBefore)) {
        return copied;
    }
    // Typed into a remote session, the clipboard's text may be the stale local one.
    if (keys.paste == PasteKeys::Type) {
        services_.messages.Show(kNothingCopiedToType);
        EndWithoutPaste(restores);
        return std::nullopt;
    }
    // Nothing was copied: many applications copy nothing without a selection, and a user may
    // apply an item to text copied earlier, so the capture goes on with what the clipboard holds.
    return services_.clipboard.ReadText().value_or(std::u16string());
}

void CaptureAndPaste::SendPendingPaste() {
    if (!pending_) {
        return;
    }
    services_.window.KillPasteTimer();
    Paste(*std::exchange(pending_, std::nullopt));
}

void CaptureAndPaste::Paste(const PendingPaste& paste) {
    const bool typed = paste.keys.paste == PasteKeys::Type;
    // The user may have gone to another application meanwhile, or closed the target: the keys
    // would land there. The user's work goes on undisturbed, and the result waits on the
    // clipboard.
    const platform::TargetState state = services_.foreground.StateOf(paste.target);
    if (state != platform::TargetState::Ready) {
        if (paste.restores || typed) {
            keeper_.KeepResult(paste.text);
        }
        services_.balloon.ShowBalloon(PasteWithheld(state));
        return;
    }
    if (typed) {
        Type(paste);
    } else {
        // With the user's clipboard to come back, the text goes there only now, announced: its
        // render request tells when the paste has taken it. The chord waits for the modifiers
        // first, so the text comes right before the keys.
        WaitForModifierRelease();
        if (paste.restores && !keeper_.PutForPaste(paste.text, paste.target)) {
            services_.balloon.ShowBalloon(kClipboardHeld);
            return;
        }
        services_.keystrokes.Press(PasteChord(paste.keys.paste));
    }
    // The caret goes back to where "%{カーソル}" stood, once the paste has put it after the text.
    if (paste.caretStops > 0) {
        WaitForModifierRelease();
        services_.keystrokes.LeftArrows(paste.caretStops);
    }
}

void CaptureAndPaste::Type(const PendingPaste& paste) {
    // Other hotkeys wait while the text goes out, though the window answers meanwhile.
    BusyScope busy(busy_);
    const std::u16string_view text = paste.text;
    for (std::size_t at = 0; at < text.size();) {
        // Stopped by Esc, or by the target's losing the keyboard: the rest would land elsewhere.
        if (services_.keystrokes.EscapeHeld()) {
            break;
        }
        if (services_.foreground.StateOf(paste.target) != platform::TargetState::Ready) {
            services_.balloon.ShowBalloon(kTypingStopped);
            break;
        }
        const std::size_t length = TypedPiece(text, at, paste.keys.typePauseMs > 0 ? 1 : 32);
        WaitForModifierRelease();
        services_.keystrokes.Type(text.substr(at, length));
        at += length;
        // Messages are answered after every piece, and through the pause when there is one.
        Pump();
        PumpUntil(paste.keys.typePauseMs, [] { return false; });
    }
    // The clipboard was only read for the copy; what it held goes back now.
    if (paste.restores) {
        keeper_.EndWithoutPaste();
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
    if (pending_) {
        Paste(*std::exchange(pending_, std::nullopt));
    }
}

void CaptureAndPaste::HoldPasteWhile(const std::function<void()>& showWindow) {
    menuOpen_ = true;
    showWindow();
    menuOpen_ = false;
}

void CaptureAndPaste::ShowMenuFor(const platform::Target& target,
                                  const std::function<void()>& showMenu) {
    menuTarget_ = target;
    HoldPasteWhile(showMenu);
}

void CaptureAndPaste::ApplyMenuChoice(int index) {
    ApplyItem(index, std::exchange(menuTarget_, std::nullopt));
}

ApplicationKeys CaptureAndPaste::KeysOf(const platform::Target& target) const {
    return target ? KeysFor(target->executable, target->windowClass, picker_.ApplicationEntries())
                  : ApplicationKeys{};
}

bool CaptureAndPaste::Restores(const ApplicationKeys& keys, bool copies) const {
    // Nothing to restore when neither a copy nor a paste touches the clipboard.
    const bool copyTouches = copies && keys.copy != CopyKeys::None;
    return picker_.RestoresClipboard() && (copyTouches || keys.paste != PasteKeys::Type);
}

void CaptureAndPaste::EndWithoutPaste(bool restores) {
    // A paste still pending settles what the user's clipboard is owed instead.
    if (restores && !pending_) {
        keeper_.EndWithoutPaste();
    }
}

void CaptureAndPaste::Deliver(const platform::TargetWindow& target, const std::u16string& result,
                              const std::u16string& selection, std::size_t caretStops,
                              bool restores, const ApplicationKeys& keys) {
    picker_.SetPreview(result);
    picker_.ShowInControls();
    // With the user's clipboard to come back, nothing goes there before the paste: a clipboard
    // history would record it, and a second application would find it there. Typed text leaves
    // the clipboard alone.
    if (!restores && keys.paste != PasteKeys::Type) {
        picker_.CopyPreviewToClipboard();
    }
    // An empty result copies nothing, so the paste puts the selection back.
    pending_ = PendingPaste{target, result.empty() ? selection : result,
                            result.empty() ? 0 : caretStops, restores, keys};
    HideSequence(target);
    services_.window.StartPasteTimer(picker_.TimeDelay());
}

void CaptureAndPaste::ApplyItem(int index, const platform::Target& target) {
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
        HideSequence(target);
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
        HideSequence(target);
        return;
    }
    const bool copies = kind == ItemKind::TextConversion || UsesSelection(text);
    const ApplicationKeys keys = KeysOf(target);
    const bool restores = Restores(keys, copies);
    auto captured = CaptureSelection(target, restores, copies, keys);
    if (!captured) {
        HideSequence(target);
        return;
    }
    std::size_t caretStops = 0;
    if (kind == ItemKind::TextInsertion) {
        if (const auto caret = transforms_.ExpandTemplate(text, *captured)) {
            caretStops = CaretStopsAfter(text, *caret);
        }
        // Nothing copied and nothing to insert: no paste either.
        if (!copies && text.empty()) {
            EndWithoutPaste(restores);
            HideSequence(target);
            return;
        }
    } else {
        text = *captured;
        if (!transforms_.ApplyConversion(chosen, content, text)) {
            EndWithoutPaste(restores);
            HideSequence(target);
            return;
        }
    }
    Deliver(*target, text, *captured, caretStops, restores, keys);
}

void CaptureAndPaste::RunQuickRegex(RegexPrompt& prompt, const platform::Target& target) {
    if (busy_) {
        return;
    }
    BusyScope busy(busy_);
    // Before the dialog opens: a paste sent while it has the focus would land in its fields.
    SendPendingPaste();

    const auto request = prompt.AskRegex();
    if (!request) {
        HideSequence(target);
        return;
    }
    const ApplicationKeys keys = KeysOf(target);
    const bool restores = Restores(keys, true);
    auto captured = CaptureSelection(target, restores, true, keys);
    if (!captured) {
        HideSequence(target);
        return;
    }
    std::u16string text = *captured;
    const RegexStatus status =
        transforms_.SubstituteQuick(text, request->pattern, request->replacement);
    if (status != RegexStatus::kDone) {
        services_.messages.Show(std::u16string(RegexFailureMessage(status)));
        EndWithoutPaste(restores);
        HideSequence(target);
        return;
    }
    Deliver(*target, text, *captured, 0, restores, keys);
}

} // namespace kvtx
