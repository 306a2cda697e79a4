#include "app/tray_registration.h"

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

platform::ScreenPoint PickerPosition(platform::ScreenPoint cursor, platform::ScreenSize picker,
                                     platform::ScreenRect workArea) {
    return platform::KeepInside({cursor.x - 100, cursor.y - 30}, picker, workArea);
}

} // namespace kvtx::app
