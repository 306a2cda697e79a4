#pragma once

#include <optional>
#include <string>

namespace kvtx {

struct QuickRegexRequest {
    std::u16string pattern;
    std::u16string replacement;
};

// The quick tool's dialog: the pattern and replacement when the user confirms, nullopt for
// Esc or the close box.
class RegexPrompt {
public:
    virtual ~RegexPrompt() = default;
    virtual std::optional<QuickRegexRequest> AskRegex() = 0;
};

} // namespace kvtx
