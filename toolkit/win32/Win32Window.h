#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Window.h"
#include "toolkit/win32/Win32Api.h"

namespace korvane::win32 {

class Win32Window;

class Win32MenuItem : public toolkit::MenuItem {
 public:
  Win32MenuItem(HMENU menu, UINT id, const std::string& caption);
  std::string Caption() const override { return caption_; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override;
  bool Checked() const override { return checked_; }
  void SetChecked(bool checked) override;
  UINT Id() const { return id_; }

 private:
  HMENU menu_;
  UINT id_;
  std::string caption_;
  bool enabled_ = true;
  bool checked_ = false;
};

// A drop-down menu. On the main window it hangs in the menu bar; a window without a menu bar
// gets menus that are never shown.
class Win32Menu : public toolkit::Menu {
 public:
  Win32Menu(Win32Window& window, HMENU popup, bool attached);
  ~Win32Menu() override;
  toolkit::MenuItem* AddItem(const std::string& caption) override;
  void AddSeparator() override;

 private:
  Win32Window& window_;
  HMENU popup_;
  bool attached_;  // the menu bar destroys it with the window
  std::vector<std::unique_ptr<Win32MenuItem>> items_;
};

// A top-level window: an overlapped window with a menu bar for the main window, a tool window or a
// fixed dialog otherwise; all of them modeless. Controls stand at twips places on its client area.
// Closing the main window ends the message loop once its handlers have run.
//
// Destroying this object destroys the window and its controls; it may happen from inside one of
// the window's own handlers (the unload handler), after which nothing of the object is touched.
class Win32Window : public toolkit::Window {
 public:
  Win32Window(toolkit::WindowKind kind, const std::string& caption, float clientWidth,
              float clientHeight);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  std::string Caption() const override { return caption_; }
  void SetCaption(const std::string& caption) override;
  float Left() const override;
  float Top() const override;
  float Width() const override;
  float Height() const override;
  void Move(float left, float top) override;
  void SetWidth(float width) override;
  void SetHeight(float height) override;
  float ScaleWidth() const override;
  float ScaleHeight() const override;
  bool Visible() const override;
  void SetVisible(bool visible) override;
  bool Minimized() const override;
  void BringToFront() override;

  toolkit::Surface* AddSurface(const toolkit::Place& place) override;
  toolkit::ScrollBar* AddHScrollBar(const toolkit::Place& place) override;
  toolkit::ScrollBar* AddVScrollBar(const toolkit::Place& place) override;
  toolkit::Button* AddButton(const std::string& caption, const toolkit::Place& place) override;
  toolkit::CheckBox* AddCheckBox(const std::string& caption, const toolkit::Place& place) override;
  toolkit::ComboBox* AddComboBox(const toolkit::Place& place) override;
  toolkit::TextBox* AddTextBox(const std::string& text, const toolkit::Place& place) override;
  toolkit::Label* AddLabel(const std::string& caption, const toolkit::Place& place) override;
  toolkit::Menu* AddMenu(const std::string& caption) override;

  HWND Handle() const { return hwnd_; }
  // The menu bar; null for a window without one.
  HMENU MenuBar() const { return menuBar_; }

  // A new command number for a menu item of this window; the item that carries it, which is then
  // clicked by WM_COMMAND with that number.
  UINT NewCommand();
  void FileCommand(Win32MenuItem& item);

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  template <typename T>
  T* Keep(std::unique_ptr<T> control);
  RECT Frame() const;
  // Sets the outer size so that the client area is w x h pixels.
  void SetClientPixels(int width, int height);
  void Close();
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  toolkit::WindowKind kind_;
  std::string caption_;
  HWND hwnd_ = nullptr;
  HMENU menuBar_ = nullptr;
  // While the window is being shown, the size messages of the showing itself are not passed on:
  // showing raises onResize once.
  bool showing_ = false;
  // Above the dialog commands (IDOK, IDCANCEL, ...) that the keyboard handling may send.
  UINT nextCommand_ = 1000;
  std::map<UINT, Win32MenuItem*> commands_;
  std::vector<std::unique_ptr<toolkit::Control>> controls_;
  std::vector<std::unique_ptr<Win32Menu>> menus_;
};

}  // namespace korvane::win32
