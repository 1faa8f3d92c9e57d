// Keys and clicks as a user makes them: through the system's input queue to
// the active window, with the modifier state the program sees through
// GetKeyState.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>

namespace e2e {

// Brings window to the front, then presses the keys of chord in order and
// releases them in reverse order, e.g. {VK_CONTROL, 'C'}.
testing::AssertionResult PressKeys(HWND window, std::initializer_list<WORD> chord);

// Presses chord for whatever has the keyboard now, such as an open menu,
// which never comes to the front itself.
testing::AssertionResult PressKeysAsTheyGo(std::initializer_list<WORD> chord);

// Brings the window that holds control to the front, then clicks the right
// mouse button at point of control's client area.
testing::AssertionResult RightClickAt(HWND control, POINT point);

// Brings the window that holds control to the front, then clicks the left
// mouse button at point of control's client area.
testing::AssertionResult ClickAt(HWND control, POINT point);
testing::AssertionResult DoubleClickAt(HWND control, POINT point);
// Presses the left button at from of control's client area, moves in steps
// to to, presses the keys of keys_before_drop one after the other while the
// button is still held, and lets go there.
testing::AssertionResult DragAcross(HWND control, POINT from, POINT to, int steps,
                                    std::initializer_list<WORD> keys_before_drop = {});

}  // namespace e2e
