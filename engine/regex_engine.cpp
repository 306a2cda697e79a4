#include "engine/regex_engine.h"

#include "engine/replace_all.h"

namespace kvtx {
namespace {

// Backslash-n first, then backslash-t: "\\n" in the field is backslash, LF.
std::u16string WithEscapes(std::u16string field) {
    ReplaceAll(field, u"\\n", u"\n");
    ReplaceAll(field, u"\\t", u"\t");
    return field;
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
    ReplaceAll(work, u"\r\n", u"\n");
    if (Substitute(work, WithEscapes(pattern), WithEscapes(replacement)) == 1) {
        return false;
    }
    ReplaceAll(work, u"\n", u"\r\n");
    text = std::move(work);
    return true;
}

} // namespace kvtx
