#include "toolkit/win32/Win32Window.h"

#include <algorithm>

#include "toolkit/win32/Win32Controls.h"
#include "toolkit/win32/Win32Surface.h"
#include "toolkit/win32/Win32Text.h"
#include "toolkit/win32/Win32Ui.h"

namespace korvane::win32 {

namespace {

struct Styles {
  DWORD style;
  DWORD ex;
};

Styles StylesOf(toolkit::WindowKind kind) {
  constexpr DWORD kFixed = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  switch (kind) {
    case toolkit::WindowKind::Main:
      return {WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case toolkit::WindowKind::SizableTool:
      return {kFixed | WS_THICKFRAME, WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT};
    case toolkit::WindowKind::FixedTool:
      return {kFixed, WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT};
    case toolkit::WindowKind::FixedDialog:
      break;
  }
  return {kFixed, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT};
}

float ToTwipsX(LONG pixels) {
  return static_cast<float>(pixels * TheUi().tppX);
}
float ToTwipsY(LONG pixels) {
  return static_cast<float>(pixels * TheUi().tppY);
}

}  // namespace

// ---- Menus ----

Win32MenuItem::Win32MenuItem(HMENU menu, UINT id, const std::string& caption)
    : menu_(menu), id_(id), caption_(caption) {
  ::AppendMenuW(menu_, MF_STRING, id_, Widen(caption).c_str());
}

void Win32MenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  ::EnableMenuItem(menu_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Win32MenuItem::SetChecked(bool checked) {
  checked_ = checked;
  ::CheckMenuItem(menu_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

Win32Menu::Win32Menu(Win32Window& window, HMENU popup, bool attached)
    : window_(window), popup_(popup), attached_(attached) {}

Win32Menu::~Win32Menu() {
  if (!attached_ && popup_) ::DestroyMenu(popup_);
}

toolkit::MenuItem* Win32Menu::AddItem(const std::string& caption) {
  items_.push_back(std::make_unique<Win32MenuItem>(popup_, window_.NewCommand(), caption));
  window_.FileCommand(*items_.back());
  return items_.back().get();
}

void Win32Menu::AddSeparator() {
  ::AppendMenuW(popup_, MF_SEPARATOR, 0, nullptr);
}

UINT Win32Window::NewCommand() {
  return nextCommand_++;
}

void Win32Window::FileCommand(Win32MenuItem& item) {
  commands_[item.Id()] = &item;
}

// ---- Window ----

Win32Window::Win32Window(toolkit::WindowKind kind, const std::string& caption, float clientWidth,
                         float clientHeight)
    : kind_(kind), caption_(caption) {
  const Styles styles = StylesOf(kind);
  hwnd_ = ::CreateWindowExW(styles.ex, RegisterClassOnce(L"KorvaneWindow", Procedure),
                            Widen(caption).c_str(), styles.style, CW_USEDEFAULT, CW_USEDEFAULT, 100,
                            100, nullptr, nullptr, TheUi().instance, nullptr);
  SetOwner(hwnd_, this);
  if (kind == toolkit::WindowKind::Main) {
    menuBar_ = ::CreateMenu();
    ::SetMenu(hwnd_, menuBar_);
  }
  const toolkit::PixelRect client = PixelsOf(0, 0, clientWidth, clientHeight);
  SetClientPixels(client.width, client.height);
}

Win32Window::~Win32Window() {
  SetOwner(hwnd_, nullptr);
  controls_.clear();
  menus_.clear();
  ::DestroyWindow(hwnd_);  // with the menu bar and the menus in it
}

void Win32Window::SetCaption(const std::string& caption) {
  caption_ = caption;
  ::SetWindowTextW(hwnd_, Widen(caption).c_str());
}

RECT Win32Window::Frame() const {
  RECT r{};
  ::GetWindowRect(hwnd_, &r);
  return r;
}

float Win32Window::Left() const {
  return ToTwipsX(Frame().left);
}

float Win32Window::Top() const {
  return ToTwipsY(Frame().top);
}

float Win32Window::Width() const {
  const RECT r = Frame();
  return ToTwipsX(r.right - r.left);
}

float Win32Window::Height() const {
  const RECT r = Frame();
  return ToTwipsY(r.bottom - r.top);
}

void Win32Window::Move(float left, float top) {
  ::SetWindowPos(hwnd_, nullptr, toolkit::TwipsToPixels(left, TheUi().tppX),
                 toolkit::TwipsToPixels(top, TheUi().tppY), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetWidth(float width) {
  const RECT r = Frame();
  ::SetWindowPos(hwnd_, nullptr, 0, 0, std::max(toolkit::TwipsToPixels(width, TheUi().tppX), 1),
                 r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetHeight(float height) {
  const RECT r = Frame();
  ::SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left,
                 std::max(toolkit::TwipsToPixels(height, TheUi().tppY), 1),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The frame's size is known only from the window itself, and a menu bar that wraps at the new
// width takes more: measured twice.
void Win32Window::SetClientPixels(int width, int height) {
  for (int round = 0; round < 2; ++round) {
    RECT outer{}, client{};
    ::GetWindowRect(hwnd_, &outer);
    ::GetClientRect(hwnd_, &client);
    const int extraW = (outer.right - outer.left) - client.right;
    const int extraH = (outer.bottom - outer.top) - client.bottom;
    ::SetWindowPos(hwnd_, nullptr, 0, 0, std::max(width, 1) + extraW, std::max(height, 1) + extraH,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

float Win32Window::ScaleWidth() const {
  RECT r{};
  ::GetClientRect(hwnd_, &r);
  return ToTwipsX(r.right);
}

float Win32Window::ScaleHeight() const {
  RECT r{};
  ::GetClientRect(hwnd_, &r);
  return ToTwipsY(r.bottom);
}

bool Win32Window::Visible() const {
  return ::IsWindowVisible(hwnd_) != FALSE;
}

// The tool windows appear without taking the keyboard from the window the user works in.
void Win32Window::SetVisible(bool visible) {
  if (!visible) {
    ::ShowWindow(hwnd_, SW_HIDE);
    return;
  }
  if (Visible()) return;
  const bool tool =
      kind_ == toolkit::WindowKind::SizableTool || kind_ == toolkit::WindowKind::FixedTool;
  showing_ = true;
  ::ShowWindow(hwnd_, tool ? SW_SHOWNA : SW_SHOW);
  showing_ = false;
  Raise(onResize);
}

bool Win32Window::Minimized() const {
  return ::IsIconic(hwnd_) != FALSE;
}

void Win32Window::BringToFront() {
  if (::IsIconic(hwnd_)) ::ShowWindow(hwnd_, SW_RESTORE);
  ::SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(hwnd_);
}

template <typename T>
T* Win32Window::Keep(std::unique_ptr<T> control) {
  T* raw = control.get();
  controls_.push_back(std::move(control));
  return raw;
}

toolkit::Surface* Win32Window::AddSurface(const toolkit::Place& place) {
  return Keep(std::make_unique<Win32Surface>(hwnd_, place));
}

toolkit::ScrollBar* Win32Window::AddHScrollBar(const toolkit::Place& place) {
  return Keep(std::make_unique<Win32ScrollBar>(hwnd_, true, place));
}

toolkit::ScrollBar* Win32Window::AddVScrollBar(const toolkit::Place& place) {
  return Keep(std::make_unique<Win32ScrollBar>(hwnd_, false, place));
}

toolkit::Button* Win32Window::AddButton(const std::string& caption, const toolkit::Place& place) {
  return Keep(std::make_unique<Win32Button>(hwnd_, caption, place));
}

toolkit::CheckBox* Win32Window::AddCheckBox(const std::string& caption,
                                            const toolkit::Place& place) {
  return Keep(std::make_unique<Win32CheckBox>(hwnd_, caption, place));
}

toolkit::ComboBox* Win32Window::AddComboBox(const toolkit::Place& place) {
  return Keep(std::make_unique<Win32ComboBox>(hwnd_, place));
}

toolkit::TextBox* Win32Window::AddTextBox(const std::string& text, const toolkit::Place& place) {
  return Keep(std::make_unique<Win32TextBox>(hwnd_, text, place));
}

toolkit::Label* Win32Window::AddLabel(const std::string& caption, const toolkit::Place& place) {
  return Keep(std::make_unique<Win32Label>(hwnd_, caption, place));
}

toolkit::Menu* Win32Window::AddMenu(const std::string& caption) {
  HMENU popup = ::CreatePopupMenu();
  if (menuBar_) {
    // A hidden window keeps its client size while its menu bar grows.
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    ::AppendMenuW(menuBar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                  Widen(caption).c_str());
    ::DrawMenuBar(hwnd_);
    if (!Visible()) SetClientPixels(client.right, client.bottom);
  }
  menus_.push_back(std::make_unique<Win32Menu>(*this, popup, menuBar_ != nullptr));
  return menus_.back().get();
}

// Nothing of this window is touched after the unload handler unless it still exists: the owner
// may destroy it there.
void Win32Window::Close() {
  const auto query = onQueryUnload;
  const auto unload = onUnload;
  const bool endsProgram = kind_ == toolkit::WindowKind::Main;
  if (query && !query()) return;
  HWND hwnd = hwnd_;
  if (unload) unload();
  if (OwnerOf<Win32Window>(hwnd) == this) ::ShowWindow(hwnd, SW_HIDE);
  if (endsProgram) ::PostQuitMessage(0);
}

LRESULT Win32Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      if (const auto control = reinterpret_cast<HWND>(lParam)) {
        if (Notified* notified = OwnerOf<Notified>(control)) notified->Command(HIWORD(wParam));
      } else if (HIWORD(wParam) == 0) {
        const auto found = commands_.find(LOWORD(wParam));
        if (found != commands_.end()) Raise(found->second->onClick);
      }
      return 0;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      const auto bar = reinterpret_cast<HWND>(lParam);
      Notified* notified = bar ? OwnerOf<Notified>(bar) : nullptr;
      if (!notified) break;
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      ::GetScrollInfo(bar, SB_CTL, &info);
      notified->Scrolled(LOWORD(wParam), info.nTrackPos);
      return 0;
    }
    case WM_SIZE:
      if (!showing_ && Visible()) Raise(onResize);
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Win32Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32Window* self = OwnerOf<Win32Window>(hwnd);
  return self ? self->Handle(message, wParam, lParam)
              : ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace korvane::win32
