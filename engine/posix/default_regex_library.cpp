// On Linux the library's core runs in-process: the same code DVLIBREGEX.dll wraps on Windows.
#include "engine/regex_capacity.h"
#include "engine/regex_engine.h"
#include "regexlib/substitute.h"

#include <new>

namespace kvtx {
namespace {

class InProcessRegexLibrary final : public RegexLibrary {
public:
    int Substitute(std::u16string& text, const std::u16string& pattern,
                   const std::u16string& replacement) override {
        std::u16string result;
        try {
            if (regexlib::Substitute(text, pattern, replacement, RegexBufferSize(text.size()) - 1,
                                     result) != regexlib::SubstituteStatus::kDone) {
                return 1;
            }
        } catch (const std::bad_alloc&) {
            // As the DLL answers: refused, text untouched.
            return 1;
        }
        text = std::move(result);
        return 0;
    }
};

} // namespace

RegexLibrary& DefaultRegexLibrary() {
    static InProcessRegexLibrary library;
    return library;
}

} // namespace kvtx
