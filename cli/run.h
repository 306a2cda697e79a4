#pragma once

#include "platform/file_system.h"

#include <iostream>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace kvtx::cli {

// What the process hands to kvtx: the file system, the folder of the executable (the store's
// folder unless --dir names another), the two output streams, which take UTF-8, and the input
// stream, which gives UTF-8.
struct Environment {
    platform::FileSystem& files;
    std::u16string executableDirectory;
    std::ostream& out;
    std::ostream& err;
    std::istream& in = std::cin;
};

// Parses the command line (arguments in UTF-8, the program name first), runs the command it
// names and returns the process exit code.
int Run(const std::vector<std::string>& arguments, const Environment& environment);

// Run on the machine's own file system, console and executable folder.
int RunNative(const std::vector<std::string>& arguments);

} // namespace kvtx::cli
