#include "tests/e2e/driver/environment.h"

#include "platform/file_system.h"
#include "platform/utf.h"

#include <atomic>
#include <cstdlib>
#include <stdexcept>
#include <windows.h>

namespace kvtx::e2e {
namespace {

std::string RequiredVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        throw std::runtime_error(std::string(name) + " is not set; run the tests with scripts/e2e");
    }
    return value;
}

} // namespace

std::u16string BinaryDirectory() {
    return platform::ExecutableDirectory();
}

std::string ArtifactsUnixDirectory() {
    return RequiredVariable("KVTX_E2E_ARTIFACTS");
}

std::string ScratchUnixDirectory() {
    return RequiredVariable("KVTX_E2E_SCRATCH");
}

std::string PackageUnixPath() {
    return RequiredVariable("KVTX_E2E_PACKAGE");
}

std::string WinePrefixUnixDirectory() {
    return RequiredVariable("WINEPREFIX");
}

std::u16string WindowsPathOfUnix(const std::string& unixPath) {
    std::u16string path = u"Z:" + platform::Utf8ToUtf16(unixPath);
    for (char16_t& unit : path) {
        if (unit == u'/') {
            unit = u'\\';
        }
    }
    return path;
}

std::string UniqueName(const std::string& stem) {
    static std::atomic<int> counter{0};
    return stem + "-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

} // namespace kvtx::e2e
