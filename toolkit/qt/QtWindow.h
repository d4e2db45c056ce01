#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Window.h"

class QCloseEvent;

namespace korvane::qt {

class QtWindow;

// Ends the event loop once the current handler has returned.
void QueueQuit();

// The link from a top-level widget back to the toolkit window it serves; cut when that goes.
struct FrameLink {
  QtWindow* owner = nullptr;
};

class QtMenuItem : public toolkit::MenuItem {
 public:
  QtMenuItem(QMenu* menu, const std::string& caption);
  ~QtMenuItem() override;
  std::string Caption() const override { return caption_; }
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  bool Checked() const override;
  void SetChecked(bool checked) override;

 private:
  QPointer<QAction> action_;
  std::string caption_;
};

// A drop-down menu of a menu bar. A window without a menu bar gets menus that are never shown.
class QtMenu : public toolkit::Menu {
 public:
  explicit QtMenu(QMenu* menu);
  toolkit::MenuItem* AddItem(const std::string& caption) override;
  void AddSeparator() override;

 private:
  QPointer<QMenu> menu_;
  std::unique_ptr<QMenu> unshown_;
  std::vector<std::unique_ptr<QtMenuItem>> items_;
};

// A top-level window: a QMainWindow with a menu bar for the main window, a tool window or a
// fixed dialog otherwise; all of them modeless. Controls stand at twips places on the client
// widget (the main window's central widget, else the window itself).
//
// The window's widgets belong to Qt. Destroying this object hides them, cuts them off from the
// editor's handlers and leaves their deletion to the event loop, so it is safe even from inside
// one of this window's own handlers.
class QtWindow : public toolkit::Window {
 public:
  QtWindow(toolkit::WindowKind kind, const std::string& caption, float clientWidth,
           float clientHeight);
  ~QtWindow() override;
  QtWindow(const QtWindow&) = delete;
  QtWindow& operator=(const QtWindow&) = delete;

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

  // The top-level widget and the widget the controls stand on (for tests and the app).
  QWidget* TopLevel() const { return top_; }
  QWidget* Client() const { return client_; }

  // From the top-level widget's events.
  void FrameResized();
  void FrameMovedOrShown();
  void FrameCloseRequested(QCloseEvent* event);

 private:
  template <typename T>
  T* Keep(std::unique_ptr<T> control);
  QSize ClientPixels() const;
  int MenuBarHeight() const;
  // Frame decoration around the top-level widget's own geometry, in pixels.
  QSize FrameExtra() const;
  void ResizeTopLevel(int width, int height);
  // The window system tells the frame's size only once the window is on screen: an outer size
  // asked for before then is kept, and made good when the frame becomes known.
  void ApplyOuterSizeOnceFrameKnown();

  toolkit::WindowKind kind_;
  std::string caption_;
  QPointer<QWidget> top_;
  FrameLink* link_ = nullptr;  // lives inside *top_
  QPointer<QMainWindow> main_;
  QPointer<QWidget> client_;
  // Outer size in pixels asked for before the frame was known; -1 where not asked.
  QSize pendingOuter_{-1, -1};
  std::vector<std::unique_ptr<toolkit::Control>> controls_;
  std::vector<std::unique_ptr<QtMenu>> menus_;
};

}  // namespace korvane::qt
