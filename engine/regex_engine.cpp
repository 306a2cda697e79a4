#include "engine/regex_engine.h"

namespace kvtx {
namespace {

// Texts may be megabytes long: one counting pass sizes the result exactly, so the copy is made
// once and never grows.
std::u16string Replaced(std::u16string_view text, std::u16string_view from,
                        std::u16string_view to) {
    std::size_t count = 0;
    for (std::size_t found = text.find(from); found != std::u16string_view::npos;
         found = text.find(from, found + from.size())) {
        ++count;
    }
    std::u16string out;
    out.reserve(text.size() - count * from.size() + count * to.size());
    std::size_t start = 0;
    for (std::size_t found = text.find(from); found != std::u16string_view::npos;
         found = text.find(from, start)) {
        out.append(text.substr(start, found - start));
        out.append(to);
        start = found + from.size();
    }
    out.append(text.substr(start));
    return out;
}

// Backslash-n first, then backslash-t: "\\n" in the field is backslash, LF.
std::u16string WithEscapes(const std::u16string& field) {
    return Replaced(Replaced(field, u"\\n", u"\n"), u"\\t", u"\t");
}

} // namespace

int RegexEngine::Substitute(std::u16string& text, const std::u16string& pattern,
                            const std::u16string& replacement) {
    return library_.Substitute(text, pattern, replacement);
}

bool RegexEngine::CheckSyntax(const std::u16string& pattern, const std::u16string& replacement) {
    std::u16string probe = u"test";
    return Substitute(probe, WithEscapes(pattern), WithEscapes(replacement)) != 1;
}

bool RegexEngine::SubstituteText(std::u16string& text, const std::u16string& pattern,
                                 const std::u16string& replacement) {
    std::u16string work = Replaced(text, u"\r\n", u"\n");
    if (Substitute(work, WithEscapes(pattern), WithEscapes(replacement)) == 1) {
        return false;
    }
    text = Replaced(work, u"\n", u"\r\n");
    return true;
}

} // namespace kvtx
