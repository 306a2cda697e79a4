#pragma once

#include <string>
#include <string_view>

namespace kvtx {

// Line-end conversions in place, each one pass over the text (and a count before a text grows),
// since the texts they run on may be megabytes of selection.

// Every CR LF becomes LF; a CR elsewhere stays.
void CrLfToLf(std::u16string& text);
// Every LF becomes CR LF, the LF of a CR LF included.
void LfToCrLf(std::u16string& text);
// Every LF that does not end a CR LF becomes CR LF.
void LoneLfToCrLf(std::u16string& text);

bool HasCrLf(std::u16string_view text);
// True when some LF does not end a CR LF.
bool HasLoneLf(std::u16string_view text);

} // namespace kvtx
