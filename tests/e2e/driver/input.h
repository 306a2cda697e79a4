#pragma once

#include <initializer_list>
#include <string>
#include <vector>
#include <windows.h>

namespace kvtx::e2e {

// Input as a user makes it. Keys and clicks are synthesized with SendInput inside Wine: they go
// through the same path as real ones, so global hotkeys fire and the focused window gets the
// keys. The pointer is moved on the X server, as a real mouse moves it (see MoveMouse).

// Presses the keys in order and releases them in reverse, e.g. {VK_CONTROL, VK_SHIFT, 'D'}.
void PressChord(std::initializer_list<WORD> keys);
void PressKeys(const std::vector<WORD>& keys);
void PressKey(WORD key);
void HoldKey(WORD key);
void ReleaseKey(WORD key);
// Each UTF-16 unit as a Unicode key press, so any text arrives whatever the keyboard layout.
void TypeText(const std::u16string& text);

enum class MouseButton { Left, Right };
// Returns once Wine reports the pointer there.
void MoveMouse(POINT screen);
void Click(POINT screen, MouseButton button = MouseButton::Left);
POINT CursorPosition();

} // namespace kvtx::e2e
