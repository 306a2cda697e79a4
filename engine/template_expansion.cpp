#include "engine/template_expansion.h"

#include "engine/japanese_dates.h"
#include "engine/replace_all.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

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

constexpr std::u16string_view kCaretName = u"カーソル";

std::u16string Unpadded(int value) {
    const std::string plain = std::to_string(value);
    return std::u16string(plain.begin(), plain.end());
}

// A named field "%{name}" other than the caret's; nullopt for a name that is none.
std::optional<std::u16string> NamedField(std::u16string_view name, const platform::LocalTime& now) {
    if (name == u"元号") {
        return std::u16string(EraOn(now.year, now.month, now.day).name);
    }
    if (name == u"和暦年") {
        return Unpadded(EraOn(now.year, now.month, now.day).year);
    }
    if (name == u"月") {
        return Unpadded(now.month);
    }
    if (name == u"日") {
        return Unpadded(now.day);
    }
    if (name == u"曜日") {
        return std::u16string(1, WeekdayKanji(now.year, now.month, now.day));
    }
    return std::nullopt;
}

struct DateExpansion {
    std::u16string text;
    // Where each "%{カーソル}" stood in `text`, in order; the first one places the caret.
    std::vector<std::size_t> carets;
};

// The named field "%{…}" whose "%" stands at `percent`: its text, or its place for the caret,
// goes into the expansion. Returns the position of the last unit taken.
std::size_t ExpandNamedField(const std::u16string& text, std::size_t percent,
                             const platform::LocalTime& now, DateExpansion& expansion) {
    const std::size_t nameStart = percent + 2;
    const std::size_t close = text.find(u'}', nameStart);
    if (close == std::u16string::npos) {
        expansion.text.push_back(u'%');
        return percent;
    }
    const std::u16string_view name = std::u16string_view(text).substr(nameStart, close - nameStart);
    if (name == kCaretName) {
        expansion.carets.push_back(expansion.text.size());
    } else if (const auto field = NamedField(name, now)) {
        expansion.text.append(*field);
    } else {
        expansion.text.push_back(u'%');
        return percent;
    }
    return close;
}

// The date and time fields, the named fields "%{…}" and the "%%" pairs in one left-to-right pass.
// Pairs are taken from the left, so an odd run of "%" leaves its last one to start a field
// ("%%%Y" gives "%2009", "%%{曜日}" gives "%{曜日}"). A pass needs no placeholder word for the
// pairs, so no text the user typed is mistaken for one. A named field's name runs to the first
// "}" after "%{"; an unknown name or an unclosed "%{" keeps its "%", and the pass goes on after
// it, so the text stays as typed while fields inside it still count.
DateExpansion ExpandDateFields(const std::u16string& text, const platform::LocalTime& now) {
    DateExpansion expansion;
    std::u16string& result = expansion.text;
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
        } else if (next == u'{') {
            i = ExpandNamedField(text, i, now, expansion);
        } else if (const auto field = DateField(next, now)) {
            result.append(*field);
            ++i;
        } else {
            result.push_back(u'%');
        }
    }
    return expansion;
}

// Each caret field cuts the text, so that no field is formed across the place where it stood,
// and the typed text and the selection put in later move the caret as they should.
std::vector<std::u16string> CutAtCarets(const DateExpansion& expanded) {
    std::vector<std::u16string> pieces;
    std::size_t from = 0;
    for (const std::size_t cut : expanded.carets) {
        pieces.push_back(expanded.text.substr(from, cut - from));
        from = cut;
    }
    pieces.push_back(expanded.text.substr(from));
    return pieces;
}

constexpr std::u16string_view kOriginal = u"%original";

} // namespace

bool UsesSelection(const std::u16string& text) {
    // The date fields give digits and kanji, never a "%": any instant reads the same.
    const std::vector<std::u16string> pieces =
        CutAtCarets(ExpandDateFields(text, platform::LocalTime{2000, 1, 1, 0, 0, 0}));
    return std::any_of(pieces.begin(), pieces.end(), [](const std::u16string& piece) {
        return piece.find(kOriginal) != std::u16string::npos;
    });
}

std::optional<std::size_t> ExpandTemplate(std::u16string& text, const std::u16string& selected,
                                          const ExpansionContext& context) {
    const platform::LocalTime now = context.clock.Now();
    const DateExpansion expanded = ExpandDateFields(text, now);
    std::vector<std::u16string> pieces = CutAtCarets(expanded);

    static constexpr std::u16string_view kInput = u"%input";
    if (std::any_of(pieces.begin(), pieces.end(), [](const std::u16string& piece) {
            return piece.find(kInput) != std::u16string::npos;
        })) {
        const std::u16string typed = context.prompt.AskInput().value_or(u"");
        for (std::u16string& piece : pieces) {
            ReplaceAll(piece, kInput, typed);
        }
    }
    text.clear();
    std::optional<std::size_t> caret;
    for (std::u16string& piece : pieces) {
        ReplaceAll(piece, kOriginal, selected);
        text += piece;
        // Only the first caret field counts; the later ones are gone.
        if (!caret && !expanded.carets.empty()) {
            caret = text.size();
        }
    }
    return caret;
}

} // namespace kvtx
