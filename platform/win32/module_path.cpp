#include "platform/win32/module_path.h"

#include "platform/win32/wide.h"

#include <vector>
#include <windows.h>

namespace kvtx::win32 {

std::u16string ExecutablePath() {
    // GetModuleFileNameW cuts the path to the buffer without saying how long it is: grow until
    // it fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            return FromWide(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace kvtx::win32
