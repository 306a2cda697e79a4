#pragma once

namespace kvtx::platform {

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// The primary screen and the mouse cursor, in pixels.
class Screen {
public:
    virtual ~Screen() = default;
    virtual ScreenPoint CursorPosition() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

} // namespace kvtx::platform
