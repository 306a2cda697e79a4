#include "settings/application_keys_dialog.h"

#include <algorithm>

namespace kvtx::settings {
namespace {

constexpr char16_t kMalformed[] =
    u"キーの指定に誤りがあります。\n"
    u"「コピー 貼り付け」の順に書いてください（例: none shift+insert、ctrl+c type 10）。\n"
    u"コピー: ctrl+c / ctrl+insert / none\n"
    u"貼り付け: ctrl+v / shift+insert / ctrl+shift+v / type（1 文字ごとの待ち時間 0～1000 ミリ秒）";
constexpr char16_t kNoName[] = u"アプリケーションの実行ファイル名（例: putty.exe）か、class: "
                               u"とウィンドウクラス名を入力して下さい";

char16_t Lower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameWithoutCase(const std::u16string& a, const std::u16string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](auto x, auto y) { return Lower(x) == Lower(y); });
}

std::u16string Trimmed(const std::u16string& text) {
    const auto first = text.find_first_not_of(u" \t");
    if (first == std::u16string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(u" \t") - first + 1);
}

} // namespace

ApplicationKeysDialog::ApplicationKeysDialog(const ApplicationKeysControls& controls,
                                             platform::Profile& profile,
                                             platform::MessageBox& messages)
    : controls_(controls), profile_(profile), messages_(messages) {}

std::u16string ApplicationKeysDialog::Line(const ApplicationEntry& entry, bool builtIn) {
    std::u16string line = builtIn ? u"【既定】 " : u"";
    line += entry.name + u" = " + entry.value;
    if (!ParseApplicationKeys(entry.value)) {
        line += u" 【無効】";
    }
    return line;
}

void ApplicationKeysDialog::Fill(const std::u16string& chosenName) {
    shown_.clear();
    for (auto& [name, value] : profile_.ReadStrings(kSection)) {
        shown_.push_back({std::move(name), std::move(value)});
    }
    const std::size_t users = shown_.size();
    for (const auto& entry : BuiltInApplicationKeys()) {
        const bool overridden =
            std::any_of(shown_.begin(), shown_.begin() + static_cast<std::ptrdiff_t>(users),
                        [&](const auto& user) { return SameWithoutCase(user.name, entry.name); });
        if (!overridden) {
            shown_.push_back(entry);
        }
    }
    controls_.entries.Clear();
    int chosen = -1;
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        controls_.entries.Add(Line(shown_[i], i >= users));
        if (chosen < 0 && SameWithoutCase(shown_[i].name, chosenName)) {
            chosen = static_cast<int>(i);
        }
    }
    controls_.entries.SetSelection(chosen);
}

void ApplicationKeysDialog::OnInitDialog(const std::u16string& frontApplication) {
    Fill(frontApplication);
    // The application's own entry, when it has one; else its name, ready for keys.
    if (controls_.entries.Selection() >= 0) {
        OnEntrySelected();
    } else {
        controls_.name.SetText(frontApplication);
        controls_.value.SetText(u"");
    }
    controls_.value.Focus();
}

void ApplicationKeysDialog::OnEntrySelected() {
    const int chosen = controls_.entries.Selection();
    if (chosen < 0 || chosen >= static_cast<int>(shown_.size())) {
        return;
    }
    const ApplicationEntry& entry = shown_[static_cast<std::size_t>(chosen)];
    controls_.name.SetText(entry.name);
    controls_.value.SetText(entry.value);
}

void ApplicationKeysDialog::OnSet() {
    const std::u16string name = Trimmed(controls_.name.Text());
    if (name.empty() || SameWithoutCase(name, u"class:")) {
        messages_.Show(kNoName);
        controls_.name.Focus();
        return;
    }
    const std::u16string value = Trimmed(controls_.value.Text());
    if (!ParseApplicationKeys(value)) {
        messages_.Show(kMalformed);
        controls_.value.Focus();
        return;
    }
    // An entry of the same name in other case is the same entry.
    for (const auto& [stored, unused] : profile_.ReadStrings(kSection)) {
        if (SameWithoutCase(stored, name) && stored != name) {
            profile_.DeleteValue(kSection, stored);
        }
    }
    profile_.WriteString(kSection, name, value);
    Fill(name);
}

void ApplicationKeysDialog::OnDelete() {
    const std::u16string name = Trimmed(controls_.name.Text());
    for (const auto& [stored, unused] : profile_.ReadStrings(kSection)) {
        if (SameWithoutCase(stored, name)) {
            profile_.DeleteValue(kSection, stored);
        }
    }
    Fill(name);
    OnEntrySelected();
}

} // namespace kvtx::settings
