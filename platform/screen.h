#pragma once

#include <algorithm>

namespace kvtx::platform {

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// A rectangle of the virtual screen in pixels; right and bottom lie just outside it.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The mouse cursor and the screens, in pixels.
class Screen {
public:
    virtual ~Screen() = default;
    virtual ScreenPoint CursorPosition() const = 0;
    // The work area (the screen less the taskbar and docked bars) of the monitor that holds the
    // point, or of the nearest one.
    virtual ScreenRect WorkAreaAt(ScreenPoint point) const = 0;
};

// The top left corner nearest `wanted` at which a window of this size lies wholly inside the
// area; a window larger than the area starts at its top left corner.
inline ScreenPoint KeepInside(ScreenPoint wanted, ScreenSize size, ScreenRect area) {
    return {std::max(std::min(wanted.x, area.right - size.width), area.left),
            std::max(std::min(wanted.y, area.bottom - size.height), area.top)};
}

} // namespace kvtx::platform
