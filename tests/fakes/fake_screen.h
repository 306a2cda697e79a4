#pragma once

#include "platform/screen.h"

namespace kvtx::testing {

class FakeScreen final : public platform::Screen {
public:
    platform::ScreenPoint CursorPosition() const override { return cursor; }
    // The primary monitor, less a taskbar along its bottom, and a second one to its right.
    platform::ScreenRect WorkAreaAt(platform::ScreenPoint point) const override {
        return point.x < kSecond.left ? kPrimary : kSecond;
    }

    static constexpr platform::ScreenRect kPrimary{0, 0, 1024, 738};
    static constexpr platform::ScreenRect kSecond{1024, -200, 2944, 880};
    platform::ScreenPoint cursor{400, 300};
};

} // namespace kvtx::testing
