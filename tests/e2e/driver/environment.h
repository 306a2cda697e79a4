#pragma once

#include <string>

namespace kvtx::e2e {

// Where the runner finds its programs and puts its files. scripts/e2e passes the two Unix
// folders in the environment; the runner reaches them through Wine's Z: drive.
std::u16string BinaryDirectory();      // the runner's own folder, ending in a backslash
std::string ArtifactsUnixDirectory();  // screenshots of failed waits
std::string ScratchUnixDirectory();    // files exchanged with Unix programs
std::string PackageUnixPath();         // the release zip built by scripts/package
std::string WinePrefixUnixDirectory(); // the run's fresh Wine prefix
std::u16string WindowsPathOfUnix(const std::string& unixPath);

// A name unique within this run, for scratch files and screenshots.
std::string UniqueName(const std::string& stem);

} // namespace kvtx::e2e
