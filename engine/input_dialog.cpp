#include "engine/input_dialog.h"

namespace kvtx {

InputDialog::InputDialog(ui::TextControl& edit, platform::MessageBox& messages,
                         PromptWindow& window)
    : window_(window), exchange_(messages) {
    exchange_.Text(edit, m_strInput);
}

void InputDialog::OnInitDialog() {
    exchange_.ShowInControls();
    window_.StartTimer(TIMER_RAISE, kRaiseDelayMs);
}

void InputDialog::OnTimer(unsigned id) {
    if (id != TIMER_RAISE) {
        return;
    }
    window_.KillTimer(TIMER_RAISE);
    window_.MakeTopmost();
    window_.BringToForeground();
}

bool InputDialog::OnOK() {
    return exchange_.TakeFromControls();
}

} // namespace kvtx
