#pragma once

#include "engine/prompts.h"
#include "platform/clock.h"

#include <string>

namespace kvtx {

// What an expansion needs from outside: the instant for the date and time fields and the prompt
// behind "%input".
struct ExpansionContext {
    const platform::Clock& clock;
    InputPrompt& prompt;
};

// Expands a template in place: "%Y" "%M" "%D" "%h" "%m" "%s" from one reading of the local clock,
// "%%" as "%", then "%input" (one prompt for all of them; Esc gives empty text) and finally
// "%original" as `selected`. A "%%" pair becomes "%" before "%input" and "%original" are looked
// for, so "%%input" still asks. Other text, "DOVAPERCENT" included, stays as typed.
void ExpandTemplate(std::u16string& text, const std::u16string& selected,
                    const ExpansionContext& context);

} // namespace kvtx
