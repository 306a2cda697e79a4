#include "tests/e2e/driver/screenshot.h"

#include "tests/e2e/driver/environment.h"
#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/unix_command.h"

namespace kvtx::e2e {
namespace {

bool Import(const std::string& arguments, const std::string& unixPath) {
    const auto result =
        RunUnixCommand("import -window root " + arguments + " " + ShellQuote(unixPath), 20s);
    return result && result->status == 0;
}

} // namespace

std::string SaveScreenshot(const std::string& name) {
    std::string stem = name;
    for (char& c : stem) {
        if (c == '/' || c == ' ') {
            c = '_';
        }
    }
    const std::string path = ArtifactsUnixDirectory() + "/" + UniqueName(stem) + ".png";
    return Import("", path) ? path : "(no screenshot: import failed for " + path + ")";
}

bool SaveScreenRectangle(const RECT& area, const std::string& unixPath) {
    const std::string geometry = std::to_string(area.right - area.left) + "x" +
                                 std::to_string(area.bottom - area.top) + "+" +
                                 std::to_string(area.left) + "+" + std::to_string(area.top);
    return Import("-crop " + geometry + " +repage", unixPath);
}

} // namespace kvtx::e2e
