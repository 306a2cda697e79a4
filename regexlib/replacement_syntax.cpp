#include "regexlib/replacement_syntax.h"

namespace kvtx::regexlib {
namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

std::u16string ToPcre2Replacement(std::u16string_view replacement) {
    std::u16string out;
    out.reserve(replacement.size() + 8);
    std::size_t i = 0;
    while (i < replacement.size()) {
        const char16_t c = replacement[i];
        if (c == u'$') {
            // Perl's $+{name} is PCRE2's ${name}. $$ stays a pair, so $$+{x} is text, and so
            // does $\, so that $\1 stays the error it is instead of becoming $${1}.
            if (replacement.substr(i, 3) == u"$+{") {
                out += u"${";
                i += 3;
            } else {
                const std::u16string_view pair = replacement.substr(i, 2);
                const std::size_t length = pair == u"$$" || pair == u"$\\" ? 2 : 1;
                out += replacement.substr(i, length);
                i += length;
            }
            continue;
        }
        if (c != u'\\' || i + 1 == replacement.size()) {
            out.push_back(c);
            ++i;
            continue;
        }
        const char16_t next = replacement[i + 1];
        if (next >= u'1' && next <= u'9') {
            std::size_t end = i + 1;
            while (end < replacement.size() && IsDigit(replacement[end])) {
                ++end;
            }
            out += u"${";
            out += replacement.substr(i + 1, end - i - 1);
            out += u'}';
            i = end;
        } else if (next == u'Q') {
            // Literal up to \E: a \1 in there is text, not a group.
            const std::size_t close = replacement.find(u"\\E", i + 2);
            const std::size_t end =
                close == std::u16string_view::npos ? replacement.size() : close + 2;
            out += replacement.substr(i, end - i);
            i = end;
        } else {
            // An escape pair (\\, \$, \U ...) stays whole, so its second character is never
            // taken for the start of another escape.
            out += replacement.substr(i, 2);
            i += 2;
        }
    }
    return out;
}

} // namespace kvtx::regexlib
