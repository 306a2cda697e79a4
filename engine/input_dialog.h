#pragma once

#include "engine/prompt_window.h"
#include "platform/message_box.h"
#include "platform/ui/data_exchange.h"

#include <string>

namespace kvtx {

// The "%input 入力" prompt: one edit (1029) and OK; Esc and the close box cancel.
class InputDialog {
public:
    static constexpr int kTemplateId = 137;
    static constexpr int kEditId = 1029;
    static constexpr unsigned TIMER_RAISE = 1;
    static constexpr unsigned kRaiseDelayMs = 100;

    InputDialog(ui::TextControl& edit, platform::MessageBox& messages, PromptWindow& window);

    void OnInitDialog();
    // Comes to the front once, shortly after opening, and stays above other windows.
    void OnTimer(unsigned id);
    // True when the dialog ends with OK.
    bool OnOK();

    std::u16string m_strInput;

private:
    PromptWindow& window_;
    ui::DataExchange exchange_;
};

} // namespace kvtx
