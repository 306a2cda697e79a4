// The Windows entry point takes its arguments as UTF-16, so that Japanese folder and file names
// arrive whole whatever the ANSI code page is, and writes UTF-8 bytes unchanged.
#include "cli/run.h"
#include "platform/utf.h"
#include "platform/win32/wide.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(kvtx::platform::Utf16ToUtf8(kvtx::win32::FromWide(argv[i])));
    }
    return kvtx::cli::RunNative(arguments);
}
