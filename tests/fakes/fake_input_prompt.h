#pragma once

#include "engine/prompts.h"

#include <deque>

namespace kvtx::testing {

// Answers the "%input" prompt from a queue; an empty queue answers as Esc does.
class FakeInputPrompt final : public InputPrompt {
public:
    std::optional<std::u16string> AskInput() override {
        ++asked;
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::u16string>> answers;
    int asked = 0;
};

} // namespace kvtx::testing
