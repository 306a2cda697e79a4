#include "cli/data_directory.h"

#include "platform/utf.h"

namespace kvtx::cli {
namespace {

#ifdef _WIN32
constexpr char16_t kSeparator = u'\\';
#else
constexpr char16_t kSeparator = u'/';
#endif

bool EndsInSeparator(std::u16string_view path) {
    if (path.empty()) {
        return false;
    }
    const char16_t last = path.back();
#ifdef _WIN32
    // "C:" means the current folder of drive C, which a separator would turn into its root.
    return last == u'\\' || last == u'/' || last == u':';
#else
    return last == u'/';
#endif
}

} // namespace

std::u16string DataDirectoryFromArgument(std::string_view utf8Directory) {
    std::u16string directory = platform::Utf8ToUtf16(utf8Directory);
    if (directory.empty()) {
        return std::u16string(1, u'.') + kSeparator;
    }
    if (!EndsInSeparator(directory)) {
        directory += kSeparator;
    }
    return directory;
}

} // namespace kvtx::cli
