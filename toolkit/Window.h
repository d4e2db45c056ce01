#pragma once

#include <functional>
#include <memory>
#include <string>

#include "toolkit/Controls.h"

namespace korvane::toolkit {

class Menu {
 public:
  virtual ~Menu() = default;
  // Captions use '&' before the access key. The returned item is owned by the menu.
  virtual MenuItem* AddItem(const std::string& caption) = 0;
  virtual void AddSeparator() = 0;
};

enum class WindowKind {
  Main,         // sizable, with menu bar; closing it ends the program
  SizableTool,  // resizable tool window with a close box (the palette)
  FixedTool,    // fixed-size tool window (the catalogue)
  FixedDialog,  // fixed single-border dialog (the tile-sheet dialog)
};

// A top-level window. Positions and sizes are twips; Left/Top/Width/Height are the outer frame,
// ScaleWidth/ScaleHeight the client area below any menu bar. Controls and menus created here are
// owned by the window.
class Window {
 public:
  virtual ~Window() = default;

  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& caption) = 0;

  virtual float Left() const = 0;
  virtual float Top() const = 0;
  virtual float Width() const = 0;
  virtual float Height() const = 0;
  virtual void Move(float left, float top) = 0;
  virtual void SetWidth(float width) = 0;
  virtual void SetHeight(float height) = 0;
  virtual float ScaleWidth() const = 0;
  virtual float ScaleHeight() const = 0;

  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Minimized() const = 0;
  // Puts a shown window in front of the program's other windows and gives it the focus.
  virtual void BringToFront() = 0;

  virtual Surface* AddSurface(const Place& place) = 0;
  virtual ScrollBar* AddHScrollBar(const Place& place) = 0;
  virtual ScrollBar* AddVScrollBar(const Place& place) = 0;
  virtual Button* AddButton(const std::string& caption, const Place& place) = 0;
  virtual CheckBox* AddCheckBox(const std::string& caption, const Place& place) = 0;
  virtual ComboBox* AddComboBox(const Place& place) = 0;
  virtual TextBox* AddTextBox(const std::string& text, const Place& place) = 0;
  virtual Label* AddLabel(const std::string& caption, const Place& place) = 0;
  virtual Menu* AddMenu(const std::string& caption) = 0;

  // Raised on showing, resizing, minimising and restoring.
  std::function<void()> onResize;
  // The user (or the program) asks to close; return false to refuse.
  std::function<bool()> onQueryUnload;
  // The window is closing for good. The owner may destroy this object from inside the handler.
  std::function<void()> onUnload;
};

}  // namespace korvane::toolkit
