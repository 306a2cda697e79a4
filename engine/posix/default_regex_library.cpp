// On Linux the library's core runs in-process: the same code DVLIBREGEX.dll wraps on Windows.
#include "engine/regex_capacity.h"
#include "engine/regex_engine.h"
#include "regexlib/substitute.h"

namespace kvtx {
namespace {

RegexStatus StatusOf(regexlib::SubstituteStatus status) {
    using regexlib::SubstituteStatus;
    switch (status) {
    case SubstituteStatus::kDone:
        return RegexStatus::kDone;
    case SubstituteStatus::kMalformed:
        return RegexStatus::kMalformed;
    case SubstituteStatus::kTimeLimit:
        return RegexStatus::kTimeLimit;
    case SubstituteStatus::kResultTooLarge:
        return RegexStatus::kResultTooLarge;
    case SubstituteStatus::kMatchLimit:
        return RegexStatus::kMatchLimit;
    case SubstituteStatus::kResultHoldsNul:
        return RegexStatus::kHoldsNul;
    }
    return RegexStatus::kMalformed;
}

class InProcessRegexLibrary final : public RegexLibrary {
public:
    RegexStatus Substitute(std::u16string& text, const std::u16string& pattern,
                           const std::u16string& replacement) override {
        std::u16string result;
        const RegexStatus status = StatusOf(regexlib::Substitute(
            text, pattern, replacement, RegexBufferSize(text.size()) - 1, result));
        if (status == RegexStatus::kDone) {
            text = std::move(result);
        }
        return status;
    }
};

} // namespace

RegexLibrary& DefaultRegexLibrary() {
    static InProcessRegexLibrary library;
    return library;
}

} // namespace kvtx
