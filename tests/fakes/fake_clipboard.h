#pragma once

#include "platform/clipboard.h"
#include "tests/fakes/event_log.h"

namespace kvtx::testing {

// The clipboard as one text; `locked` stands for another program holding it open.
class FakeClipboard final : public platform::Clipboard {
public:
    std::u16string ReadText() override {
        Note(log, "read clipboard");
        return locked ? std::u16string() : text;
    }

    std::u16string text;
    bool locked = false;
    EventLog* log = nullptr;
};

} // namespace kvtx::testing
