#pragma once

#include "platform/clipboard.h"
#include "tests/fakes/event_log.h"

#include <functional>
#include <map>

namespace kvtx::testing {

// The clipboard as one text and, beside it, other formats by id; `locked` stands for another
// program holding it open. Text announced by Offer is rendered when a reader asks for it
// (ReadForPaste), through onRenderRequest, as the system sends the owner its render request.
class FakeClipboard final : public platform::Clipboard {
public:
    static constexpr unsigned kText = 13;

    std::optional<std::u16string> ReadText() override {
        Note(log, "read clipboard");
        return locked ? std::nullopt : std::optional(text);
    }
    std::uint32_t SequenceNumber() const override { return sequence; }
    void WatchChanges(bool on) override { Note(log, on ? "watch clipboard" : "stop watching"); }

    std::optional<platform::SavedClipboard> Save() override {
        if (locked) {
            return std::nullopt;
        }
        platform::SavedClipboard saved;
        saved.formats.push_back({kText, Bytes(text)});
        for (const auto& [id, bytes] : others) {
            saved.formats.push_back({id, bytes});
        }
        return saved;
    }
    bool Restore(const platform::SavedClipboard& saved) override {
        if (locked) {
            return false;
        }
        Note(log, "restore clipboard");
        Empty();
        for (const auto& format : saved.formats) {
            if (format.id == kText) {
                text.assign(reinterpret_cast<const char16_t*>(format.bytes.data()),
                            format.bytes.size() / sizeof(char16_t));
            } else {
                others[format.id] = format.bytes;
            }
        }
        return true;
    }
    bool Offer() override {
        if (locked) {
            return false;
        }
        Note(log, "announce");
        Empty();
        announced = true;
        return true;
    }
    void Render(const std::u16string& rendered) override {
        text = rendered;
        announced = false;
    }
    void RenderBeforeExit(const std::u16string& rendered) override { Render(rendered); }
    std::uint32_t ReaderProcessId() const override { return reader; }

    // A copy: new contents, whatever they hold.
    void Set(std::u16string contents) {
        Empty();
        text = std::move(contents);
    }
    // What a paste by process `readerProcess` takes.
    std::u16string ReadForPaste(std::uint32_t readerProcess) {
        if (announced && onRenderRequest) {
            reader = readerProcess;
            onRenderRequest();
            reader = 0;
        }
        return text;
    }

    std::u16string text;
    std::map<unsigned, std::vector<std::byte>> others;
    std::uint32_t sequence = 0;
    bool locked = false;
    bool announced = false;
    std::uint32_t reader = 0;
    std::function<void()> onRenderRequest;
    EventLog* log = nullptr;

private:
    static std::vector<std::byte> Bytes(const std::u16string& value) {
        const auto* first = reinterpret_cast<const std::byte*>(value.data());
        return {first, first + value.size() * sizeof(char16_t)};
    }
    void Empty() {
        text.clear();
        others.clear();
        announced = false;
        ++sequence;
    }
};

} // namespace kvtx::testing
