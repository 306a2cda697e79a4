#include "platform/path_names.h"

namespace kvtx::platform {

std::u16string FileStem(std::u16string_view path) {
    const auto separator = path.find_last_of(u"\\/:");
    std::u16string_view name =
        separator == std::u16string_view::npos ? path : path.substr(separator + 1);
    // A leading dot starts a name, not an extension.
    const auto dot = name.find_last_of(u'.');
    if (dot != std::u16string_view::npos && dot > 0) {
        name = name.substr(0, dot);
    }
    return std::u16string(name);
}

} // namespace kvtx::platform
