#include "engine/regex_engine.h"

#include "engine/line_ends.h"
#include "engine/replace_all.h"

#include <optional>

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

bool RegexEngine::SubstituteLines(std::u16string& text, const std::u16string& pattern,
                                  const std::u16string& replacement) {
    return Substitute(text, WithEscapes(pattern), WithEscapes(replacement)) != 1;
}

bool RegexEngine::SubstituteText(std::u16string& text, const std::u16string& pattern,
                                 const std::u16string& replacement) {
    const std::u16string escapedPattern = WithEscapes(pattern);
    const std::u16string escapedReplacement = WithEscapes(replacement);
    // The text is converted in place, without a copy: LfToCrLf undoes a refusal exactly when
    // every LF of the text ended a CR LF. Only a text with a lone LF keeps its original.
    std::optional<std::u16string> original;
    if (HasLoneLf(text)) {
        original = text;
    }
    CrLfToLf(text);
    const bool done = Substitute(text, escapedPattern, escapedReplacement) != 1;
    if (!done && original) {
        text = std::move(*original);
        return false;
    }
    LfToCrLf(text);
    return done;
}

} // namespace kvtx
