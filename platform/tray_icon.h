#pragma once

#include <string>

namespace kvtx::platform {

enum class TrayResult {
    Done,
    TimedOut, // the shell did not answer in time; it may still take the request later
    Failed,
};

// The program's one icon in the notification area.
class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    virtual TrayResult Add() = 0;
    virtual TrayResult Modify() = 0;
    virtual void Delete() = 0;
};

// A word to the user that takes neither the keyboard nor a click: a balloon at the tray icon.
class TrayBalloon {
public:
    virtual ~TrayBalloon() = default;
    virtual void ShowBalloon(const std::u16string& text) = 0;
};

} // namespace kvtx::platform
