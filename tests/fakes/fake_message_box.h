#pragma once

#include "platform/message_box.h"

#include <deque>
#include <string>
#include <vector>

namespace kvtx::testing {

// Records every message; questions take their answers from a queue (No when it is empty).
class FakeMessageBox final : public platform::MessageBox {
public:
    void Show(const std::u16string& text) override { shown.push_back(text); }
    bool AskYesNo(const std::u16string& text) override {
        asked.push_back(text);
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<std::u16string> shown;
    std::vector<std::u16string> asked;
    std::deque<bool> answers;
};

} // namespace kvtx::testing
