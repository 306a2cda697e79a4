#pragma once

#include "platform/message_box.h"
#include "platform/ui/data_exchange.h"

#include <string>

namespace kvtx {

// The "名称" dialog: the name of a category or the title of an item, 1 to 30 characters.
class NameDialog {
public:
    static constexpr int kTemplateId = 130;
    static constexpr int kEditId = 1005;
    static constexpr std::size_t kMaxNameChars = 30;

    NameDialog(ui::TextControl& edit, platform::MessageBox& messages);

    // m_strName may be preset before this; the edit then accepts at most 30 characters.
    void OnInitDialog();
    // True when the dialog ends with OK; an empty name asks again and keeps the dialog open.
    bool OnOK();

    std::u16string m_strName;

private:
    platform::MessageBox& messages_;
    ui::DataExchange exchange_;
};

} // namespace kvtx
