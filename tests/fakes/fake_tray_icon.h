#pragma once

#include "platform/tray_icon.h"

#include <deque>
#include <string>
#include <vector>

namespace kvtx::testing {

// Answers each request from its queue (Done when empty) and logs the requests in order.
class FakeTrayIcon final : public platform::TrayIcon, public platform::TrayBalloon {
public:
    platform::TrayResult Add() override { return Answer("add", addAnswers); }
    platform::TrayResult Modify() override { return Answer("modify", modifyAnswers); }
    void Delete() override {
        log.push_back("delete");
        shown = false;
    }
    void ShowBalloon(const std::u16string& text) override { balloons.push_back(text); }

    std::deque<platform::TrayResult> addAnswers;
    std::deque<platform::TrayResult> modifyAnswers;
    std::vector<std::string> log;
    std::vector<std::u16string> balloons;
    bool shown = false;

private:
    platform::TrayResult Answer(const std::string& request,
                                std::deque<platform::TrayResult>& answers) {
        log.push_back(request);
        platform::TrayResult answer = platform::TrayResult::Done;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        shown = shown || answer == platform::TrayResult::Done;
        return answer;
    }
};

} // namespace kvtx::testing
