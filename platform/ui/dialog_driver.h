// Driving forms and dialogs from a test or the client tool: find a window by caption, reach
// its controls by id, give a control the focus, type, press keys, click, and read texts,
// check states and (our controls) colours and error states. Everything goes through messages
// that work from another thread and from another process; a test that drives a form of its own
// thread pumps the messages with PumpUntil.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace hx {

// How long the driver waits for something to happen by default (a loaded machine under Wine
// can take seconds to show a window).
inline constexpr int kDriverTimeoutMs = 15000;

// A visible top-level window with this caption (and class, when given) of any process; waits
// up to timeout_ms and gives nullptr after that.
HWND WaitForWindow(std::string_view caption, int timeout_ms = kDriverTimeoutMs,
                   const wchar_t* window_class = nullptr);
// Polls every 20 ms until done answers true; false after timeout_ms.
bool WaitUntil(const std::function<bool()>& done, int timeout_ms = kDriverTimeoutMs);
// Handles the messages of this thread (forms answer the keyboard) until done answers true;
// false after timeout_ms.
bool PumpUntil(const std::function<bool()>& done, int timeout_ms = kDriverTimeoutMs);

HWND ControlOf(HWND form, int id);
// The window that has the focus in the thread of window.
HWND FocusOf(HWND window);
// Gives control the focus (a WM_NEXTDLGCTL posted to its form).
void FocusControl(HWND form, HWND control);
// Types text into the focused control (one WM_CHAR a character, posted).
void TypeText(HWND control, std::string_view text);
// A key pressed and released on control (posted), such as VK_TAB, VK_RETURN, VK_DOWN.
void PressKey(HWND control, UINT key);
// A left press and release at a point of window's client area (posted).
void ClickAt(HWND window, int x, int y);
// The button clicked as by the user (posted).
void ClickButton(HWND button);

std::string WindowTextOf(HWND window);
bool IsChecked(HWND button);
// Our edits: their background colour, error state and hint (the hint in this process only).
COLORREF ControlColor(HWND control);
bool ControlInError(HWND control);
std::string ControlHint(HWND control);

}  // namespace hx
