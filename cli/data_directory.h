#pragma once

#include <string>
#include <string_view>

namespace kvtx::cli {

// The store folder a --dir argument names, ending in a path separator as the store expects (file
// names are appended to it as they are).
std::u16string DataDirectoryFromArgument(std::string_view utf8Directory);

} // namespace kvtx::cli
