#pragma once

#include "platform/clipboard.h"
#include "tests/fakes/event_log.h"

#include <functional>
#include <map>
#include <set>

namespace kvtx::testing {

// The clipboard as one text and, beside it, other formats by id; `locked` stands for another
// program holding it open. Formats announced by Offer are rendered when a reader first asks for
// one, through onRenderRequest, as the system sends the owner its render request; emptying the
// clipboard while the program owns it calls onReplaced, as the system tells the owner.
class FakeClipboard final : public platform::Clipboard {
public:
    static constexpr unsigned kText = platform::kUnicodeTextFormat;

    std::optional<std::u16string> ReadText() override {
        Note(log, "read clipboard");
        if (locked) {
            return std::nullopt;
        }
        Read(kText, 0);
        return text;
    }
    std::uint32_t SequenceNumber() const override { return sequence; }
    void WatchChanges(bool on) override { Note(log, on ? "watch clipboard" : "stop watching"); }

    std::optional<platform::SavedClipboard> Save() override {
        if (locked) {
            return std::nullopt;
        }
        ++saves;
        if (onSave) {
            onSave();
        }
        ReadAll(0);
        platform::SavedClipboard saved = platform::UnicodeTextContents(text);
        for (const auto& [id, bytes] : others) {
            saved.formats.push_back({id, bytes});
        }
        return saved;
    }
    bool Offer(const platform::SavedClipboard& contents) override {
        return Replace(contents, true);
    }
    // Rendered at once: nothing is announced.
    bool Put(const platform::SavedClipboard& contents) override { return Replace(contents, false); }
    void Render(const platform::SavedClipboard::Format& format) override {
        if (format.id == kText) {
            // Without the terminating NUL.
            text.assign(reinterpret_cast<const char16_t*>(format.bytes.data()),
                        format.bytes.size() / sizeof(char16_t) - 1);
        } else {
            others[format.id] = format.bytes;
        }
        pending.erase(format.id);
    }
    void RenderBeforeExit(const platform::SavedClipboard& contents) override {
        for (const auto& format : contents.formats) {
            Render(format);
        }
    }
    std::uint32_t ReaderProcessId() const override { return reader; }

    // A copy by another window: new contents, whatever they hold.
    void Set(std::u16string contents) {
        Empty();
        text = std::move(contents);
    }
    // What a paste by process `readerProcess` takes.
    std::u16string ReadForPaste(std::uint32_t readerProcess) {
        Read(kText, readerProcess);
        return text;
    }
    // A reader of every format, as a paste that takes the richest one looks at them all.
    void ReadAll(std::uint32_t readerProcess) {
        for (const unsigned format : std::set(pending)) {
            Read(format, readerProcess);
        }
    }

    std::u16string text;
    std::map<unsigned, std::vector<std::byte>> others;
    std::set<unsigned> pending;
    std::uint32_t sequence = 0;
    int saves = 0;
    bool locked = false;
    bool programOwns = false;
    std::uint32_t reader = 0;
    std::function<void(unsigned format)> onRenderRequest;
    std::function<void()> onReplaced;
    // Stands for an owner that renders its delayed formats while the save waits.
    std::function<void()> onSave;
    EventLog* log = nullptr;

private:
    bool Replace(const platform::SavedClipboard& contents, bool announced) {
        if (locked) {
            return false;
        }
        Note(log, announced ? "announce" : "put");
        Empty();
        programOwns = true;
        for (const auto& format : contents.formats) {
            if (announced) {
                pending.insert(format.id);
            } else {
                Render(format);
            }
        }
        return true;
    }
    void Read(unsigned format, std::uint32_t readerProcess) {
        if (pending.count(format) != 0 && onRenderRequest) {
            reader = readerProcess;
            onRenderRequest(format);
            reader = 0;
        }
    }
    void Empty() {
        if (programOwns && onReplaced) {
            onReplaced();
        }
        programOwns = false;
        text.clear();
        others.clear();
        pending.clear();
        ++sequence;
    }
};

} // namespace kvtx::testing
