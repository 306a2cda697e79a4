#pragma once

#include <string>
#include <string_view>

namespace kvtx::platform {

// The file name of a path without its folder and without its last extension: the profile's
// application name and the history file's name follow the executable's name this way.
// Both separators count, so Windows paths split the same way in native tests.
std::u16string FileStem(std::u16string_view path);

} // namespace kvtx::platform
