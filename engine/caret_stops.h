#pragma once

#include <cstddef>
#include <string_view>

namespace kvtx {

// How many Left-arrow presses bring an edit control's caret from the end of `text`, just pasted,
// back to `offset` in it: one for each caret stop from there to the end, as Windows' edit
// controls count them. A CR LF pair is one stop, and so is a surrogate pair; every other UTF-16
// unit is one. An offset inside a pair counts from there, so the caret comes to rest before the
// pair. (Wine's edit control steps over each unit of a surrogate pair separately; see
// docs/text-engine.md.)
std::size_t CaretStopsAfter(std::u16string_view text, std::size_t offset);

// The UTF-16 units of the stop that starts at `at` (before the text's end): 2 for a CR LF pair
// or a surrogate pair, else 1.
std::size_t StopLength(std::u16string_view text, std::size_t at);

} // namespace kvtx
