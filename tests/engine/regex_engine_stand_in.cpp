// Links the chain tests while the library's own engine is not yet in this tree: the text
// handling its header promises, over whatever library the test hands it.
#include "engine/regex_engine.h"
#include "engine/replace_all.h"

namespace kvtx {
namespace {

void ApplyEscapes(std::u16string& text) {
    ReplaceAll(text, u"\\n", u"\n");
    ReplaceAll(text, u"\\t", u"\t");
}

} // namespace

int RegexEngine::Substitute(std::u16string& text, const std::u16string& pattern,
                            const std::u16string& replacement) {
    return library_.Substitute(text, pattern, replacement);
}

bool RegexEngine::CheckSyntax(const std::u16string& pattern, const std::u16string& replacement) {
    std::u16string probe = u"test";
    std::u16string p = pattern;
    std::u16string r = replacement;
    ApplyEscapes(p);
    ApplyEscapes(r);
    return Substitute(probe, p, r) != 1;
}

bool RegexEngine::SubstituteText(std::u16string& text, const std::u16string& pattern,
                                 const std::u16string& replacement) {
    std::u16string work = text;
    ReplaceAll(work, u"\r\n", u"\n");
    std::u16string p = pattern;
    std::u16string r = replacement;
    ApplyEscapes(p);
    ApplyEscapes(r);
    if (Substitute(work, p, r) == 1) {
        return false;
    }
    ReplaceAll(work, u"\n", u"\r\n");
    text = std::move(work);
    return true;
}

} // namespace kvtx
