#pragma once

#include <functional>

#include "toolkit/Units.h"
#include "toolkit/win32/Win32Api.h"

namespace korvane::win32 {

// What every window and control of the backend shares: the program's instance, the screen's
// resolution and the one font of the windows, made on first use.
struct Ui {
  HINSTANCE instance = nullptr;
  double tppX = 15;  // twips per pixel of the screen
  double tppY = 15;
  HFONT font = nullptr;
};
const Ui& TheUi();

// Runs an editor handler. The handler is copied first: it may destroy the control (and the
// std::function it is stored in) while it runs, so nothing of the caller may be used afterwards.
inline void Raise(const std::function<void()>& handler) {
  if (!handler) return;
  auto copy = handler;
  copy();
}

// The pixel rectangle of a twips place on the screen.
inline toolkit::PixelRect PixelsOf(float left, float top, float width, float height) {
  return toolkit::TwipsToPixelRect(left, top, width, height, TheUi().tppX, TheUi().tppY);
}

// Hands one message to its window, with the keyboard handling of the window it belongs to: Tab
// and the access keys move between the controls of the tool and dialog windows.
void Dispatch(MSG& message);

// Registers a window class of the backend once; returns its name.
const wchar_t* RegisterClassOnce(const wchar_t* name, WNDPROC procedure, UINT style = 0);

// The object a window of the backend serves, kept in the window's user data.
template <typename T>
T* OwnerOf(HWND hwnd) {
  return reinterpret_cast<T*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}
inline void SetOwner(HWND hwnd, void* owner) {
  ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
}

}  // namespace korvane::win32
