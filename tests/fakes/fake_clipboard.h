#pragma once

#include "platform/clipboard.h"
#include "tests/fakes/event_log.h"

namespace kvtx::testing {

// The clipboard as one text; `locked` stands for another program holding it open.
class FakeClipboard final : public platform::Clipboard {
public:
    std::optional<std::u16string> ReadText() override {
        Note(log, "read clipboard");
        return locked ? std::nullopt : std::optional(text);
    }
    std::uint32_t SequenceNumber() const override { return sequence; }
    void WatchChanges(bool on) override { Note(log, on ? "watch clipboard" : "stop watching"); }

    // A copy: new contents, whatever they hold.
    void Set(std::u16string contents) {
        text = std::move(contents);
        ++sequence;
    }

    std::u16string text;
    std::uint32_t sequence = 0;
    bool locked = false;
    EventLog* log = nullptr;
};

} // namespace kvtx::testing
