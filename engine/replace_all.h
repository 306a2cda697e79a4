#pragma once

#include <string>
#include <string_view>

namespace kvtx {

// Replaces every non-overlapping occurrence of `from`, left to right; what was put in is never
// searched again. An empty `from` changes nothing. Returns the number of replacements.
std::size_t ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to);

} // namespace kvtx
