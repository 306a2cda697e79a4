#include "settings/program_path_match.h"

namespace kvtx::settings {
namespace {

char16_t UpperCaseLetter(char16_t c) {
    const bool asciiLower = c >= u'a' && c <= u'z';
    // à to þ except the division sign; ÿ has no upper case in Latin-1.
    const bool latin1Lower = c >= u'\u00E0' && c <= u'\u00FE' && c != u'\u00F7';
    const bool fullWidthLower = c >= u'\uFF41' && c <= u'\uFF5A';
    if (asciiLower || latin1Lower || fullWidthLower) {
        return static_cast<char16_t>(c - 0x20);
    }
    return c;
}

} // namespace

std::u16string UpperCasePath(std::u16string_view path) {
    std::u16string upper(path);
    for (char16_t& c : upper) {
        c = UpperCaseLetter(c);
    }
    return upper;
}

bool TargetContainsProgram(std::u16string_view target, std::u16string_view programPathUpper) {
    return !programPathUpper.empty() &&
           UpperCasePath(target).find(programPathUpper) != std::u16string::npos;
}

} // namespace kvtx::settings
