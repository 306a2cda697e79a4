#include "engine/name_dialog.h"

namespace kvtx {

NameDialog::NameDialog(ui::TextControl& edit, platform::MessageBox& messages)
    : messages_(messages), exchange_(messages) {
    exchange_.Text(edit, m_strName, kMaxNameChars);
}

void NameDialog::OnInitDialog() {
    exchange_.ShowInControls();
}

bool NameDialog::OnOK() {
    if (!exchange_.TakeFromControls()) {
        return false;
    }
    if (m_strName.empty()) {
        messages_.Show(u"入力して下さい");
        return false;
    }
    return true;
}

} // namespace kvtx
