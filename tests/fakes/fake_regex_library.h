#pragma once

#include "engine/regex_engine.h"

#include <map>
#include <string>
#include <vector>

namespace kvtx::testing {

// A library that replaces the pattern literally, so that tests can tell exactly what reached it;
// a pattern listed in `refusals` is refused for the reason given there, as the real library
// refuses a bad expression or work beyond its limits.
class FakeRegexLibrary final : public RegexLibrary {
public:
    struct Call {
        std::u16string text;
        std::u16string pattern;
        std::u16string replacement;
    };

    RegexStatus Substitute(std::u16string& text, const std::u16string& pattern,
                           const std::u16string& replacement) override {
        calls.push_back({text, pattern, replacement});
        if (const auto refusal = refusals.find(pattern); refusal != refusals.end()) {
            return refusal->second;
        }
        std::u16string result;
        std::size_t start = 0;
        for (std::size_t found = text.find(pattern); !pattern.empty() && found != text.npos;
             found = text.find(pattern, start)) {
            result.append(text, start, found - start).append(replacement);
            start = found + pattern.size();
        }
        text = result.append(text, start);
        return RegexStatus::kDone;
    }

    std::map<std::u16string, RegexStatus> refusals;
    std::vector<Call> calls;
};

} // namespace kvtx::testing
