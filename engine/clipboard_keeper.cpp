#include "engine/clipboard_keeper.h"

#include <algorithm>
#include <numeric>

namespace kvtx {
namespace {

// Another program may hold the clipboard open for a moment.
constexpr int kRetryMs = 10;
constexpr int kSaveTries = 5;

constexpr char16_t kSaveTooSlow[] =
    u"クリップボードの内容をすぐに保存できなかったため、今回は貼り付け後に元に戻しません。";

std::size_t Size(const platform::SavedClipboard& contents) {
    return std::accumulate(
        contents.formats.begin(), contents.formats.end(), std::size_t{0},
        [](std::size_t total, const auto& format) { return total + format.bytes.size(); });
}

// The target's own read: its process, or that of the control it had the keyboard in (a frame
// hosting another process's window). A reader with no window of its own cannot be told from it.
bool ReadByTarget(std::uint32_t reader, const platform::TargetWindow& target) {
    return reader == 0 || reader == target.process || reader == target.focusProcess;
}

} // namespace

ClipboardKeeper::ClipboardKeeper(platform::Clipboard& clipboard, platform::PasteWindow& window,
                                 platform::UiThread& thread, platform::TrayBalloon& balloon)
    : clipboard_(clipboard), window_(window), thread_(thread), balloon_(balloon) {}

bool ClipboardKeeper::Write(const Contents& contents, bool announced, int waitMs) {
    const std::int64_t deadline = Now() + waitMs;
    for (;;) {
        // Emptying the clipboard tells its owner, which may be this program, that it was
        // replaced.
        writing_ = true;
        const bool written = announced ? clipboard_.Offer(*contents) : clipboard_.Put(*contents);
        writing_ = false;
        if (written) {
            announced_ = announced ? contents : nullptr;
            return true;
        }
        if (Now() >= deadline) {
            return false;
        }
        // Dispatches nothing: a message handled here could start another application.
        thread_.Wait(kRetryMs);
    }
}

ClipboardKeeper::Contents ClipboardKeeper::SaveUsers() {
    // Put back earlier and not replaced since: nothing need be fetched from the clipboard.
    if (announced_) {
        return announced_;
    }
    // Fetching a large clipboard from its owner takes a while, in which the program goes on
    // answering; the application under way keeps other hotkeys and the paste waiting. The
    // result lives in what the thread owns, since a save that runs late finishes on its own.
    auto saved = std::make_shared<std::optional<platform::SavedClipboard>>();
    const bool inTime = thread_.RunAside(
        [saved, &clipboard = clipboard_, &thread = thread_] {
            for (int attempt = 0; attempt < kSaveTries && !*saved; ++attempt) {
                if (attempt > 0) {
                    thread.Wait(kRetryMs);
                }
                *saved = clipboard.Save();
            }
        },
        kSaveWaitMs);
    if (!inTime) {
        balloon_.ShowBalloon(kSaveTooSlow);
        return nullptr;
    }
    return *saved ? std::make_shared<const platform::SavedClipboard>(std::move(**saved)) : nullptr;
}

void ClipboardKeeper::BeginApplication() {
    underWay_ = true;
    window_.KillRestoreTimer();
    // An earlier application still owes the user's clipboard: this one takes the debt over. The
    // clipboard holds the earlier selection or result, whose paste may not have been read yet.
    if (debt_) {
        return;
    }
    if (Contents users = SaveUsers()) {
        debt_ = Debt{std::move(users), false, platform::TargetWindow{}, Now(), 0};
    }
}

void ClipboardKeeper::Mark() {
    debt_->sequence = clipboard_.SequenceNumber();
    debt_->since = Now();
}

void ClipboardKeeper::EndWithoutPaste() {
    underWay_ = false;
    if (!debt_) {
        return;
    }
    // The clipboard holds the capture's copy, unless a paste is still to be read.
    if (!debt_->pasteUnread) {
        Mark();
    }
    if (!TrySettle()) {
        window_.StartRestoreTimer(kRestorePollMs);
    }
}

bool ClipboardKeeper::PutForPaste(const std::u16string& text,
                                  const platform::TargetWindow& target) {
    underWay_ = false;
    const auto contents =
        std::make_shared<const platform::SavedClipboard>(platform::UnicodeTextContents(text));
    const bool written = Write(contents, debt_.has_value(), kOpenWaitMs);
    if (debt_) {
        // With nothing to paste, what is owed goes back once the clipboard is free.
        debt_->pasteUnread = written;
        debt_->target = target;
        Mark();
        window_.StartRestoreTimer(kRestorePollMs);
    }
    return written;
}

void ClipboardKeeper::KeepResult(const std::u16string& text) {
    underWay_ = false;
    Settle();
    Write(std::make_shared<const platform::SavedClipboard>(platform::UnicodeTextContents(text)),
          false, kOpenWaitMs);
}

void ClipboardKeeper::OnRenderRequest(unsigned format) {
    if (!announced_) {
        return;
    }
    const auto& formats = announced_->formats;
    const auto found = std::find_if(formats.begin(), formats.end(),
                                    [format](const auto& each) { return each.id == format; });
    if (found == formats.end()) {
        return;
    }
    const std::uint32_t reader = clipboard_.ReaderProcessId();
    clipboard_.Render(*found);
    if (!debt_ || !debt_->pasteUnread || format != platform::kUnicodeTextFormat) {
        return;
    }
    // Another reader took the announcement, and the target's own read will go unnoticed.
    if (!ReadByTarget(reader, debt_->target)) {
        Settle();
        return;
    }
    debt_->pasteUnread = false;
    Mark();
}

void ClipboardKeeper::OnClipboardReplaced() {
    if (writing_) {
        return;
    }
    announced_.reset();
    if (!debt_ || !debt_->pasteUnread) {
        return;
    }
    // The text announced for the paste is gone before the target took it. While an application
    // is under way, that is its capture's copy, after which the paste can no longer be read;
    // otherwise a newer copy wins.
    if (underWay_) {
        debt_->pasteUnread = false;
    } else {
        Settle();
    }
}

void ClipboardKeeper::OnRenderAll() {
    if (announced_) {
        clipboard_.RenderBeforeExit(*announced_);
        announced_.reset();
    }
}

void ClipboardKeeper::OnRestoreTimer() {
    if (!debt_ || TrySettle()) {
        window_.KillRestoreTimer();
    }
}

bool ClipboardKeeper::TrySettle() {
    if (underWay_) {
        return false;
    }
    if (debt_->pasteUnread) {
        // Not read yet: the target's paste may only be slow.
        if (Now() - debt_->since <= kTakeWaitMs) {
            return false;
        }
        Settle();
        return true;
    }
    // A newer copy by the user or another program wins over the restore.
    if (clipboard_.SequenceNumber() != debt_->sequence) {
        Settle();
        return true;
    }
    // The clipboard stays closed to the program while the reader holds it; a reader that holds
    // it too long keeps what it read.
    const bool large = Size(*debt_->users) > kRenderAtOnceBytes;
    if (!Write(debt_->users, large, 0) && Now() - debt_->since <= kRestoreWaitMs) {
        return false;
    }
    Settle();
    return true;
}

void ClipboardKeeper::Settle() {
    debt_.reset();
    window_.KillRestoreTimer();
}

} // namespace kvtx
