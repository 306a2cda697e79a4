#pragma once

#include <string>

namespace kvtx::win32 {

// The full path of the running executable, however long it is.
std::u16string ExecutablePath();

} // namespace kvtx::win32
