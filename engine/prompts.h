#pragma once

#include <optional>
#include <string>

namespace kvtx {

// The "%input" prompt: the typed text when the user confirms, nullopt for Esc or the close box.
class InputPrompt {
public:
    virtual ~InputPrompt() = default;
    virtual std::optional<std::u16string> AskInput() = 0;
};

// The name of a category or an item: 1 to 30 characters when confirmed, nullopt when cancelled.
class NamePrompt {
public:
    virtual ~NamePrompt() = default;
    virtual std::optional<std::u16string> AskName(const std::u16string& preset) = 0;
};

} // namespace kvtx
