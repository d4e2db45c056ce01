#pragma once

#include <string>

#include "toolkit/Controls.h"
#include "toolkit/win32/Win32Text.h"
#include "toolkit/win32/Win32Ui.h"

namespace korvane::win32 {

// A standard control tells its window what the user did through WM_COMMAND or a scroll message;
// the window passes it on to the control's object through this.
class Notified {
 public:
  virtual ~Notified() = default;
  // WM_COMMAND's notification code.
  virtual void Command(int) {}
  // A scroll request (SB_LINELEFT, SB_THUMBTRACK, ...) and the thumb's tracking position.
  virtual void Scrolled(int, int) {}
};

// A child window of a standard class (or of the backend's own) that a control object stands for.
HWND CreateChild(HWND parent, const wchar_t* windowClass, const std::string& text, DWORD style,
                 DWORD exStyle = 0);

// What every control shares: it stands at a place in twips on its window's client area and
// remembers the place as it was given. The child window goes with this object.
template <typename Interface>
class Win32Control : public Interface {
 public:
  Win32Control(HWND hwnd, const toolkit::Place& place) : hwnd_(hwnd) {
    Win32Control::SetPlace(place);
  }
  ~Win32Control() override {
    if (!hwnd_) return;
    SetOwner(hwnd_, nullptr);
    ::DestroyWindow(hwnd_);
  }
  Win32Control(const Win32Control&) = delete;
  Win32Control& operator=(const Win32Control&) = delete;

  toolkit::Place GetPlace() const override { return place_; }
  void SetPlace(const toolkit::Place& place) override {
    place_ = place;
    const toolkit::PixelRect r = PixelsOf(place.left, place.top, place.width, place.height);
    ::MoveWindow(hwnd_, r.x, r.y, r.width, r.height + extraHeight_, TRUE);
  }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    ::EnableWindow(hwnd_, enabled ? TRUE : FALSE);
  }

  HWND Handle() const { return hwnd_; }

 protected:
  HWND hwnd_;
  // Pixels below the place that the window takes as well (a combo box's drop-down list).
  int extraHeight_ = 0;

 private:
  toolkit::Place place_;
  bool enabled_ = true;
};

}  // namespace korvane::win32
