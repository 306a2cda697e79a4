#pragma once

#include "platform/screen.h"

namespace kvtx::testing {

class FakeScreen final : public platform::Screen {
public:
    platform::ScreenPoint CursorPosition() const override { return cursor; }
    int Width() const override { return width; }
    int Height() const override { return height; }

    platform::ScreenPoint cursor{400, 300};
    int width = 1024;
    int height = 768;
};

} // namespace kvtx::testing
