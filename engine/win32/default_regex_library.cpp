#include "engine/regex_engine.h"
#include "engine/win32/dll_regex_library.h"
#include "platform/file_system.h"

namespace kvtx {

RegexLibrary& DefaultRegexLibrary() {
    static win32::DllRegexLibrary library(platform::ExecutableDirectory() + u"DVLIBREGEX.dll");
    return library;
}

} // namespace kvtx
