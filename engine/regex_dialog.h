#pragma once

#include "engine/prompt_window.h"
#include "engine/regex_history.h"
#include "engine/regex_status.h"
#include "platform/message_box.h"
#include "platform/ui/data_exchange.h"

#include <functional>
#include <string>

namespace kvtx {

// The quick tool's "正規表現" dialog: pattern (combo 1032) and replacement (combo 1033), each
// with the earlier texts in its list.
class RegexDialog {
public:
    using SyntaxCheck = std::function<RegexStatus(const std::u16string& pattern,
                                                  const std::u16string& replacement)>;

    RegexDialog(ui::EditableComboControl& pattern, ui::EditableComboControl& replacement,
                platform::MessageBox& messages, PromptWindow& window, SyntaxCheck checkSyntax);

    // Comes to the front with the focus, and shows the remembered texts and lists.
    void OnInitDialog(const RegexHistory& history);
    // True when the dialog ends with OK; a field that is too long or an expression the library
    // refuses keeps the dialog open with its texts, and a message says why.
    bool OnOK();
    // What to remember after OK: the texts just used, then the lists as loaded.
    RegexHistory History() const;

    std::u16string m_strPattern;
    std::u16string m_strReplacement;

private:
    ui::EditableComboControl& m_cbPattern;
    ui::EditableComboControl& m_cbReplacement;
    platform::MessageBox& messages_;
    PromptWindow& window_;
    SyntaxCheck checkSyntax_;
    ui::DataExchange exchange_;
};

} // namespace kvtx
