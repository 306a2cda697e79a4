#include "engine/clipboard_keeper.h"

#include <algorithm>

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

bool ClipboardKeeper::Announce(Contents contents) {
    // Emptying the clipboard tells its owner, which may be this program, that it was replaced.
    announcing_ = true;
    const bool announced = clipboard_.Offer(*contents);
    announcing_ = false;
    if (announced) {
        announced_ = std::move(contents);
    }
    return announced;
}

void ClipboardKeeper::Drop() {
    window_.KillRestoreTimer();
    saved_.reset();
    stage_ = Stage::Idle;
}

void ClipboardKeeper::SaveBeforeCopy() {
    Contents users = stage_ == Stage::Announced || stage_ == Stage::Taken ? saved_ : nullptr;
    Drop();
    if (users) {
        // Without a selection the capture takes what the clipboard holds: the user's, not the
        // earlier result.
        Announce(users);
    } else if (announced_) {
        // Put back earlier and not replaced since: nothing need be fetched from the clipboard.
        users = announced_;
    } else {
        // Fetching a large clipboard from its owner takes a while, in which the program goes on
        // answering; the application under way keeps other hotkeys and the paste waiting.
        thread_.RunAside([this, &users] {
            for (int attempt = 0; attempt < kSaveTries && !users; ++attempt) {
                if (attempt > 0) {
                    thread_.Wait(kSaveRetryMs);
                }
                if (auto contents = clipboard_.Save()) {
                    users = std::make_shared<const platform::SavedClipboard>(std::move(*contents));
                }
            }
        });
    }
    if (users) {
        saved_ = std::move(users);
        stage_ = Stage::Saved;
    }
}

bool ClipboardKeeper::AnnounceForPaste(const std::u16string& text, std::uint32_t target) {
    if (stage_ != Stage::Saved || !Announce(std::make_shared<const platform::SavedClipboard>(
                                      platform::UnicodeTextContents(text)))) {
        Drop();
        return false;
    }
    target_ = target;
    since_ = Now();
    stage_ = Stage::Announced;
    window_.StartRestoreTimer(kRestorePollMs);
    return true;
}

void ClipboardKeeper::KeepResult() {
    Drop();
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
    const bool byTarget = clipboard_.ReaderProcessId() == target_;
    clipboard_.Render(*found);
    if (stage_ != Stage::Announced || format != platform::kUnicodeTextFormat) {
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

void ClipboardKeeper::OnClipboardReplaced() {
    if (announcing_) {
        return;
    }
    announced_.reset();
    // The text announced for the paste is gone before the target took it: a newer copy wins.
    if (stage_ == Stage::Announced) {
        Drop();
    }
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
        !Announce(saved_) && Now() - since_ <= kRestoreWaitMs) {
        return;
    }
    Drop();
}

} // namespace kvtx
