#include "app/tray_registration.h"

#include <algorithm>

namespace kvtx::app {

bool AddTrayIcon(platform::TrayIcon& tray, const std::function<void(unsigned)>& sleep) {
    using platform::TrayResult;
    TrayResult result = tray.Add();
    for (int attempt = 0; attempt < 10 && result == TrayResult::TimedOut; ++attempt) {
        sleep(2000);
        // A timed-out add may have reached the shell after all.
        if (tray.Modify() == TrayResult::Done) {
            return true;
        }
        result = tray.Add();
    }
    return result != TrayResult::Failed;
}

platform::ScreenPoint PickerPosition(platform::ScreenPoint cursor, int screenWidth,
                                     int screenHeight) {
    platform::ScreenPoint position{std::max(cursor.x - 100, 0), std::max(cursor.y - 30, 0)};
    if (position.x > screenWidth - 160) {
        position.x = screenWidth - 160;
    }
    if (position.y > screenHeight - 200) {
        position.y = screenHeight - 200;
    }
    return position;
}

} // namespace kvtx::app
