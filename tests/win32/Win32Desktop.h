#pragma once

// Driving the real Win32 windows from inside a test, as a user would: letting the message loop
// run, answering the modal boxes and dialogs from within their own loops, reading pixels.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/win32/Win32Api.h"
#include "toolkit/win32/Win32Picture.h"
#include "toolkit/win32/Win32Text.h"
#include "toolkit/win32/Win32Ui.h"

namespace korvane::win32::testing_desktop {

// Lets the windows run until `done` holds; false when it does not within the time.
inline bool RunUntil(const std::function<bool()>& done, double seconds = 20) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) Dispatch(message);
    ::Sleep(5);
  }
  return true;
}

// Lets whatever is queued run, with a short wait for what the window system sends on.
inline void Settle() {
  RunUntil([] { return false; }, 0.3);
}

inline std::string ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return Narrow(name);
}

inline std::string TextOf(HWND hwnd) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

// A file's bytes, read and written past the code under test.
inline std::vector<uint8_t> Bytes(const std::string& path) {
  std::ifstream in(std::filesystem::path(Widen(path)), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
inline void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(std::filesystem::path(Widen(path)), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// The names in a folder, sorted.
inline std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(Widen(folder))))
    names.push_back(Narrow(e.path().filename().wstring()));
  std::sort(names.begin(), names.end());
  return names;
}

// Answers, in order, the dialog boxes this thread shows next (message boxes, input boxes, file
// dialogs): each answer gets the box once it is on the screen, from inside the box's own loop.
// A box nobody expected, or one still open seconds after its answer, is cancelled, so that a
// test fails instead of waiting for ever.
class DialogAnswers {
 public:
  explicit DialogAnswers(std::deque<std::function<void(HWND)>> answers)
      : answers_(std::move(answers)) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, 50, Tick);
  }
  ~DialogAnswers() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
    EXPECT_EQ(problems_, "");
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " boxes never came";
  }

 private:
  static BOOL CALLBACK Look(HWND hwnd, LPARAM found) {
    if (::IsWindowVisible(hwnd) && ClassOf(hwnd) == "#32770") {
      *reinterpret_cast<HWND*>(found) = hwnd;
      return FALSE;
    }
    return TRUE;
  }
  static void Cancel(HWND box) {
    ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    ::PostMessageW(box, WM_CLOSE, 0, 0);
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogAnswers* self = current_;
    if (!self) return;
    HWND box = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), Look, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    const auto now = std::chrono::steady_clock::now();
    if (box == self->last_) {
      if (now - self->answeredAt_ < std::chrono::seconds(5)) return;
      self->problems_ += "\"" + TextOf(box) + "\" stayed open after its answer; ";
      self->answeredAt_ = now;
      Cancel(box);
      return;
    }
    self->last_ = box;
    self->answeredAt_ = now;
    if (self->answers_.empty()) {
      self->problems_ += "\"" + TextOf(box) + "\" was not expected; ";
      Cancel(box);
      return;
    }
    auto answer = std::move(self->answers_.front());
    self->answers_.pop_front();
    answer(box);
  }
  static inline DialogAnswers* current_ = nullptr;
  std::deque<std::function<void(HWND)>> answers_;
  HWND last_ = nullptr;
  std::chrono::steady_clock::time_point answeredAt_;
  std::string problems_;
  UINT_PTR timer_ = 0;
};

// Types a file name into the common file dialog and presses its OK button.
inline void ChooseFile(HWND dialog, const std::string& path) {
  // The explorer-style dialog's name box is a combo box; the old style's an edit box.
  constexpr int kNameCombo = 0x47c, kNameEdit = 0x480;
  const int box = ::GetDlgItem(dialog, kNameCombo) ? kNameCombo : kNameEdit;
  ::SetDlgItemTextW(dialog, box, Widen(path).c_str());
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}

// Presses a button of a dialog box.
inline void Press(HWND box, int id) {
  ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(box, id)));
}

// What a window shows on the screen, read back from the window system.
inline Bitmap Shown(HWND hwnd) {
  RECT r{};
  ::GetClientRect(hwnd, &r);
  Bitmap out(r.right, r.bottom);
  ::UpdateWindow(hwnd);
  HDC window = ::GetDC(hwnd);
  {
    BitmapDc dc(out.Handle());
    ::BitBlt(dc.Handle(), 0, 0, r.right, r.bottom, window, 0, 0, SRCCOPY);
  }
  ::ReleaseDC(hwnd, window);
  ::GdiFlush();
  return out;
}

// The first pixel where the w x h pictures at (ax, ay) of a and (bx, by) of b differ, as text;
// empty when they are alike.
inline std::string FirstDifference(const Bitmap& a, int ax, int ay, const Bitmap& b, int bx, int by,
                                   int w, int h) {
  if (ax + w > a.Width() || ay + h > a.Height() || bx + w > b.Width() || by + h > b.Height())
    return "the pictures are too small for " + std::to_string(w) + " x " + std::to_string(h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((a.At(ax + x, ay + y) ^ b.At(bx + x, by + y)) & 0xFFFFFF)
        return "pixel " + std::to_string(x) + "," + std::to_string(y);
  return {};
}

}  // namespace korvane::win32::testing_desktop
