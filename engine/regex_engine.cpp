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

RegexStatus RegexEngine::Substitute(std::u16string& text, const std::u16string& pattern,
                                    const std::u16string& replacement) {
    return library_.Substitute(text, pattern, replacement);
}

RegexStatus RegexEngine::CheckSyntax(const std::u16string& pattern,
                                     const std::u16string& replacement) {
    std::u16string probe = u"test";
    const RegexStatus status = Substitute(probe, WithEscapes(pattern), WithEscapes(replacement));
    return status == RegexStatus::kResultTooLarge ? RegexStatus::kDone : status;
}

RegexStatus RegexEngine::SubstituteLines(std::u16string& text, const std::u16string& pattern,
                                         const std::u16string& replacement) {
    return Substitute(text, WithEscapes(pattern), WithEscapes(replacement));
}

RegexStatus RegexEngine::SubstituteText(std::u16string& text, const std::u16string& pattern,
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
    const RegexStatus status = Substitute(text, escapedPattern, escapedReplacement);
    if (status != RegexStatus::kDone && original) {
        text = std::move(*original);
        return status;
    }
    LfToCrLf(text);
    return status;
}

} // namespace kvtx
