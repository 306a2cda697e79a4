#pragma once

#include <string>
#include <string_view>

namespace kvtx::settings {

// Paths in upper case for comparisons that ignore letter case as Windows file names do: ASCII,
// Latin-1 and full-width Latin letters.
std::u16string UpperCasePath(std::u16string_view path);

// True when a link target contains the program's path anywhere, ignoring case, so a link made by
// another copy of the same path in other letters counts. An empty program path matches nothing:
// it would otherwise match every link in the folder.
bool TargetContainsProgram(std::u16string_view target, std::u16string_view programPathUpper);

} // namespace kvtx::settings
