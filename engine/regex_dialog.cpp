#include "engine/regex_dialog.h"

#include "engine/regex_messages.h"

namespace kvtx {
namespace {

std::vector<std::u16string> ListEntries(const ui::ListControl& list) {
    std::vector<std::u16string> entries;
    for (int i = 0; i < list.Count(); ++i) {
        entries.push_back(list.ItemText(i));
    }
    return entries;
}

} // namespace

RegexDialog::RegexDialog(ui::EditableComboControl& pattern, ui::EditableComboControl& replacement,
                         platform::MessageBox& messages, PromptWindow& window,
                         SyntaxCheck checkSyntax)
    : m_cbPattern(pattern), m_cbReplacement(replacement), messages_(messages), window_(window),
      checkSyntax_(std::move(checkSyntax)), exchange_(messages) {
    exchange_.Text(m_cbPattern, m_strPattern, kHistoryFieldChars);
    exchange_.Text(m_cbReplacement, m_strReplacement, kHistoryFieldChars);
}

void RegexDialog::OnInitDialog(const RegexHistory& history) {
    window_.TakeFocus();
    window_.BringToForeground();
    m_strPattern = history.pattern;
    for (const auto& entry : history.patterns) {
        m_cbPattern.Add(entry);
    }
    m_strReplacement = history.replacement;
    for (const auto& entry : history.replacements) {
        m_cbReplacement.Add(entry);
    }
    exchange_.ShowInControls();
}

bool RegexDialog::OnOK() {
    if (!exchange_.TakeFromControls()) {
        return false;
    }
    const RegexStatus status = checkSyntax_(m_strPattern, m_strReplacement);
    if (status == RegexStatus::kMalformed) {
        messages_.Show(u"構文に誤りがあります");
        return false;
    }
    if (status != RegexStatus::kDone) {
        messages_.Show(std::u16string(RegexFailureMessage(status)));
        return false;
    }
    return true;
}

RegexHistory RegexDialog::History() const {
    return {m_strPattern, ListEntries(m_cbPattern), m_strReplacement, ListEntries(m_cbReplacement)};
}

} // namespace kvtx
