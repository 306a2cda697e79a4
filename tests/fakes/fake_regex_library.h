#pragma once

#include "engine/regex_engine.h"

#include <set>
#include <string>
#include <vector>

namespace kvtx::testing {

// A library that replaces the pattern literally, so that tests can tell exactly what reached it;
// patterns listed in `malformed` are refused as the real library refuses a bad expression.
class FakeRegexLibrary final : public RegexLibrary {
public:
    struct Call {
        std::u16string text;
        std::u16string pattern;
        std::u16string replacement;
    };

    int Substitute(std::u16string& text, const std::u16string& pattern,
                   const std::u16string& replacement) override {
        calls.push_back({text, pattern, replacement});
        if (malformed.contains(pattern)) {
            return 1;
        }
        std::u16string result;
        std::size_t start = 0;
        for (std::size_t found = text.find(pattern); !pattern.empty() && found != text.npos;
             found = text.find(pattern, start)) {
            result.append(text, start, found - start).append(replacement);
            start = found + pattern.size();
        }
        text = result.append(text, start);
        return 0;
    }

    std::set<std::u16string> malformed;
    std::vector<Call> calls;
};

} // namespace kvtx::testing
