#pragma once

#include <string>
#include <windows.h>

namespace kvtx::e2e {

// Saves the whole X screen as a PNG in the artifacts folder and returns its path, or a text
// saying why there is none. Wine's own screen reads see only the desktop window, so the picture
// is taken from outside with ImageMagick's import.
std::string SaveScreenshot(const std::string& name);

// Saves just this rectangle of the screen (for the pictures in docs/); true on success.
bool SaveScreenRectangle(const RECT& area, const std::string& unixPath);

} // namespace kvtx::e2e
