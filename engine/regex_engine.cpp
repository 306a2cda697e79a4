#include "engine/regex_engine.h"

namespace kvtx {
namespace {

void ReplaceEvery(std::u16string& text, std::u16string_view from, std::u16string_view to) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t found = text.find(from); found != std::u16string::npos;
         found = text.find(from, start)) {
        out.append(text, start, found - start);
        out += to;
        start = found + from.size();
    }
    out.append(text, start);
    text = std::move(out);
}

// Backslash-n first, then backslash-t: "\\n" in the field is backslash, LF.
std::u16string WithEscapes(const std::u16string& field) {
    std::u16string out = field;
    ReplaceEvery(out, u"\\n", u"\n");
    ReplaceEvery(out, u"\\t", u"\t");
    return out;
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
    std::u16string work = text;
    ReplaceEvery(work, u"\r\n", u"\n");
    if (Substitute(work, WithEscapes(pattern), WithEscapes(replacement)) == 1) {
        return false;
    }
    ReplaceEvery(work, u"\n", u"\r\n");
    text = std::move(work);
    return true;
}

} // namespace kvtx
