#include "engine/template_expansion.h"

#include "engine/replace_all.h"

#include <optional>

namespace kvtx {
namespace {

std::u16string ZeroPadded(int value, std::size_t digits) {
    const long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
    const std::string plain = std::to_string(magnitude);
    std::u16string result(value < 0 ? u"-" : u"");
    if (plain.size() < digits) {
        result.append(digits - plain.size(), u'0');
    }
    result.append(plain.begin(), plain.end());
    return result;
}

std::optional<std::u16string> DateField(char16_t letter, const platform::LocalTime& now) {
    switch (letter) {
    case u'Y':
        return ZeroPadded(now.year, 4);
    case u'M':
        return ZeroPadded(now.month, 2);
    case u'D':
        return ZeroPadded(now.day, 2);
    case u'h':
        return ZeroPadded(now.hour, 2);
    case u'm':
        return ZeroPadded(now.minute, 2);
    case u's':
        return ZeroPadded(now.second, 2);
    default:
        return std::nullopt;
    }
}

// The date and time fields and the "%%" pairs in one left-to-right pass. Pairs are taken from
// the left, so an odd run of "%" leaves its last one to start a field ("%%%Y" gives "%2009").
// A pass needs no placeholder word for the pairs, so no text the user typed is mistaken for one.
std::u16string ExpandDateFields(const std::u16string& text, const platform::LocalTime& now) {
    std::u16string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%' || i + 1 == text.size()) {
            result.push_back(text[i]);
            continue;
        }
        const char16_t next = text[i + 1];
        if (next == u'%') {
            result.push_back(u'%');
            ++i;
        } else if (const auto field = DateField(next, now)) {
            result.append(*field);
            ++i;
        } else {
            result.push_back(u'%');
        }
    }
    return result;
}

} // namespace

void ExpandTemplate(std::u16string& text, const std::u16string& selected,
                    const ExpansionContext& context) {
    const platform::LocalTime now = context.clock.Now();
    text = ExpandDateFields(text, now);
    static constexpr std::u16string_view kInput = u"%input";
    if (text.find(kInput) != std::u16string::npos) {
        const std::u16string typed = context.prompt.AskInput().value_or(u"");
        ReplaceAll(text, kInput, typed);
    }
    ReplaceAll(text, u"%original", selected);
}

} // namespace kvtx
