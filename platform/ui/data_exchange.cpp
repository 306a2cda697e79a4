#include "platform/ui/data_exchange.h"

#include <charconv>
#include <limits>

namespace kvtx::ui {
namespace {

std::u16string Ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

std::u16string TooLongMessage(std::size_t maxChars) {
    return Ascii(std::to_string(maxChars)) + u" 文字以内で入力してください。";
}

std::u16string RangeMessage(int minimum, int maximum) {
    return Ascii(std::to_string(minimum)) + u" から " + Ascii(std::to_string(maximum)) +
           u" までの整数を入力してください。";
}

// Like the framework, a control is written only when its text differs, so that showing values
// does not disturb a caret or raise a change notification for nothing.
template <typename Field> void ShowText(Field& control, const std::u16string& text) {
    if (control.Text() != text) {
        control.SetText(text);
    }
}

} // namespace

bool ParseInteger(const std::u16string& text, int& value) {
    std::string ascii;
    for (const char16_t c : text) {
        if (c > 0x7F) {
            return false;
        }
        ascii.push_back(static_cast<char>(c));
    }
    const auto first = ascii.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return false;
    }
    const auto last = ascii.find_last_not_of(" \t");
    const char* begin = ascii.data() + first;
    const char* end = ascii.data() + last + 1;
    if (*begin == '+') {
        ++begin;
    }
    const auto [ptr, error] = std::from_chars(begin, end, value);
    if (ptr != end) {
        return false;
    }
    // Digits beyond an int's range still make an integer: it stands at the nearer end of the
    // range, so that a range check reports it as out of range rather than as no integer.
    if (error == std::errc::result_out_of_range) {
        value = *begin == '-' ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
        return true;
    }
    return error == std::errc();
}

bool DataExchange::Refuse(Control& control, const std::u16string& message) {
    messages_.Show(message);
    control.Focus();
    return false;
}

void DataExchange::Selection(ListControl& control, int& member) {
    bindings_.push_back({[&control, &member] {
                             member = control.Selection();
                             return true;
                         },
                         [&control, &member] { control.SetSelection(member); }});
}

template <typename Field>
void DataExchange::BindText(Field& control, std::u16string& member, std::size_t maxChars) {
    bindings_.push_back({[this, &control, &member, maxChars] {
                             std::u16string text = control.Text();
                             if (text.size() > maxChars) {
                                 return Refuse(control, TooLongMessage(maxChars));
                             }
                             member = std::move(text);
                             return true;
                         },
                         [&control, &member, maxChars] {
                             ShowText(control, member);
                             if (maxChars != kNoLimit) {
                                 control.SetLimit(maxChars);
                             }
                         }});
}

void DataExchange::Text(TextControl& control, std::u16string& member, std::size_t maxChars) {
    BindText(control, member, maxChars);
}

void DataExchange::Text(EditableComboControl& control, std::u16string& member,
                        std::size_t maxChars) {
    BindText(control, member, maxChars);
}

void DataExchange::Check(CheckControl& control, int& member) {
    bindings_.push_back({[&control, &member] {
                             member = control.IsChecked() ? 1 : 0;
                             return true;
                         },
                         [&control, &member] { control.SetChecked(member != 0); }});
}

void DataExchange::Integer(TextControl& control, int& member, int minimum, int maximum) {
    bindings_.push_back({[this, &control, &member, minimum, maximum] {
                             int value = 0;
                             if (!ParseInteger(control.Text(), value)) {
                                 return Refuse(control, u"整数を入力してください。");
                             }
                             if (value < minimum || value > maximum) {
                                 return Refuse(control, RangeMessage(minimum, maximum));
                             }
                             member = value;
                             return true;
                         },
                         [&control, &member] {
                             const std::string digits = std::to_string(member);
                             ShowText(control, std::u16string(digits.begin(), digits.end()));
                         }});
}

bool DataExchange::TakeFromControls() {
    for (const auto& binding : bindings_) {
        if (!binding.take()) {
            return false;
        }
    }
    return true;
}

void DataExchange::ShowInControls() {
    for (const auto& binding : bindings_) {
        binding.show();
    }
}

} // namespace kvtx::ui
