#pragma once

#include "engine/prompts.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kvtx::testing {

// Answers name questions from a queue (cancel when it is empty) and records what each question
// showed, as the name dialog does: 1 to 30 characters, or cancel.
class FakeNamePrompt final : public NamePrompt {
public:
    std::optional<std::u16string> AskName(const std::u16string& preset) override {
        presets.push_back(preset);
        if (whileOpen) {
            whileOpen();
        }
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::u16string>> answers;
    // What happens elsewhere while the question is open.
    std::function<void()> whileOpen;
    std::vector<std::u16string> presets;
};

} // namespace kvtx::testing
