#pragma once

#include "engine/prompts.h"
#include "platform/clock.h"

#include <cstddef>
#include <optional>
#include <string>

namespace kvtx {

// What an expansion needs from outside: the instant for the date and time fields and the prompt
// behind "%input".
struct ExpansionContext {
    const platform::Clock& clock;
    InputPrompt& prompt;
};

// Expands a template in place: "%Y" "%M" "%D" "%h" "%m" "%s" and the named fields "%{元号}"
// "%{和暦年}" "%{月}" "%{日}" "%{曜日}" from one reading of the local clock, "%%" as "%", then
// "%input" (one prompt for all of them; Esc gives empty text) and finally "%original" as
// `selected`. A "%%" pair becomes "%" before "%input" and "%original" are looked for, so
// "%%input" still asks. Other text, "DOVAPERCENT", an unknown "%{…}" and an unclosed "%{"
// included, stays as typed.
//
// "%{カーソル}" gives nothing: the result is the offset in the expanded text where the first of
// them stood (later ones are removed), or nullopt when there was none. No field is formed across
// it, and the text typed for "%input" and the selection are never searched for it.
std::optional<std::size_t> ExpandTemplate(std::u16string& text, const std::u16string& selected,
                                          const ExpansionContext& context);

// The expansion of this template puts the selection in: it holds "%original" once its "%%" pairs
// are taken and its caret fields cut it, as ExpandTemplate reads it.
bool UsesSelection(const std::u16string& text);

} // namespace kvtx
