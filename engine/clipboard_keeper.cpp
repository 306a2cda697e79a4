#include "engine/clipboard_keeper.h"

namespace kvtx {
namespace {

// Another program may hold the clipboard open for a moment; the copy keystroke waits this long
// at most for the save, which then is skipped.
constexpr int kSaveTries = 5;
constexpr int kSaveRetryMs = 10;

} // namespace

ClipboardKeeper::ClipboardKeeper(platform::Clipboard& clipboard, platform::PasteWindow& window,
                                 platform::UiThread& thread)
    : clipboard_(clipboard), window_(window), thread_(thread) {}

void ClipboardKeeper::Drop() {
    window_.KillRestoreTimer();
    saved_.reset();
    stage_ = Stage::Idle;
}

void ClipboardKeeper::SaveBeforeCopy() {
    if (stage_ == Stage::Announced || stage_ == Stage::Taken) {
        clipboard_.Restore(*saved_);
        announced_.reset();
    }
    Drop();
    // Waits without dispatching: the copy keystroke follows, and nothing may start in between.
    for (int attempt = 0; attempt < kSaveTries && !saved_; ++attempt) {
        if (attempt > 0) {
            thread_.Wait(kSaveRetryMs);
        }
        saved_ = clipboard_.Save();
    }
    if (saved_) {
        stage_ = Stage::Saved;
    }
}

bool ClipboardKeeper::AnnounceForPaste(const std::u16string& text, std::uint32_t target) {
    if (stage_ != Stage::Saved || !clipboard_.Offer()) {
        Drop();
        return false;
    }
    announced_ = text;
    target_ = target;
    since_ = Now();
    stage_ = Stage::Announced;
    window_.StartRestoreTimer(kRestorePollMs);
    return true;
}

void ClipboardKeeper::OnRenderRequest() {
    if (!announced_) {
        return;
    }
    const bool byTarget = clipboard_.ReaderProcessId() == target_;
    clipboard_.Render(*announced_);
    announced_.reset();
    if (stage_ != Stage::Announced) {
        return;
    }
    // Another reader took the announcement, and the target's own read will go unnoticed.
    if (!byTarget) {
        Drop();
        return;
    }
    sequenceAfterRender_ = clipboard_.SequenceNumber();
    since_ = Now();
    stage_ = Stage::Taken;
}

void ClipboardKeeper::OnRenderAll() {
    if (announced_) {
        clipboard_.RenderBeforeExit(*announced_);
        announced_.reset();
    }
}

void ClipboardKeeper::OnRestoreTimer() {
    if (stage_ == Stage::Announced && Now() - since_ <= kTakeWaitMs) {
        return;
    }
    // The restore waits while the target still holds the clipboard open; a newer copy, or a
    // target that holds it too long, wins over it.
    if (stage_ == Stage::Taken && clipboard_.SequenceNumber() == sequenceAfterRender_ &&
        !clipboard_.Restore(*saved_) && Now() - since_ <= kRestoreWaitMs) {
        return;
    }
    Drop();
}

} // namespace kvtx
