#include "toolkit/qt/QtWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QMoveEvent>
#include <algorithm>

#include "toolkit/qt/QtControlBase.h"
#include "toolkit/qt/QtControls.h"
#include "toolkit/qt/QtSurface.h"
#include "toolkit/qt/QtUnits.h"

namespace korvane::qt {

void QueueQuit() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return;
  QMetaObject::invokeMethod(
      app, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
}

namespace {

// A top-level widget that tells its toolkit window when it is shown, resized, minimised or
// restored, and asks it before closing.
template <typename Base>
class Frame : public Base, public FrameLink {
 public:
  using Base::Base;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    Base::resizeEvent(event);
    // Before the window is first shown its pending sizes arrive here too; showing reports them.
    if (owner && this->isVisible()) owner->FrameResized();
  }
  void showEvent(QShowEvent* event) override {
    Base::showEvent(event);
    if (owner) owner->FrameMovedOrShown();
    if (owner && !event->spontaneous()) owner->FrameResized();
  }
  void moveEvent(QMoveEvent* event) override {
    Base::moveEvent(event);
    if (owner) owner->FrameMovedOrShown();
  }
  void changeEvent(QEvent* event) override {
    Base::changeEvent(event);
    if (owner && event->type() == QEvent::WindowStateChange) owner->FrameResized();
  }
  void closeEvent(QCloseEvent* event) override {
    if (owner)
      owner->FrameCloseRequested(event);
    else
      event->accept();
  }
};

constexpr Qt::WindowFlags kToolFlags =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
constexpr Qt::WindowFlags kDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                         Qt::MSWindowsFixedSizeDialogHint;

bool IsFixed(toolkit::WindowKind kind) {
  return kind == toolkit::WindowKind::FixedTool || kind == toolkit::WindowKind::FixedDialog;
}

}  // namespace

// ---- Menus ----

QtMenuItem::QtMenuItem(QMenu* menu, const std::string& caption)
    : action_(menu->addAction(QString::fromStdString(caption))), caption_(caption) {
  QObject::connect(action_, &QAction::triggered, action_, [this] { Raise(onClick); });
}

QtMenuItem::~QtMenuItem() {
  if (action_) QObject::disconnect(action_, nullptr, nullptr, nullptr);
}

bool QtMenuItem::Enabled() const {
  return action_ && action_->isEnabled();
}

void QtMenuItem::SetEnabled(bool enabled) {
  if (action_) action_->setEnabled(enabled);
}

bool QtMenuItem::Checked() const {
  return action_ && action_->isChecked();
}

// Qt toggles a checkable action's mark before its handler runs; the handler then sets the marks
// it wants, as the toolkit promises.
void QtMenuItem::SetChecked(bool checked) {
  if (!action_) return;
  action_->setCheckable(true);
  action_->setChecked(checked);
}

QtMenu::QtMenu(QMenu* menu) : menu_(menu) {
  if (!menu_) {
    unshown_ = std::make_unique<QMenu>();
    menu_ = unshown_.get();
  }
}

toolkit::MenuItem* QtMenu::AddItem(const std::string& caption) {
  if (!menu_) return nullptr;
  items_.push_back(std::make_unique<QtMenuItem>(menu_, caption));
  return items_.back().get();
}

void QtMenu::AddSeparator() {
  if (menu_) menu_->addSeparator();
}

// ---- Window ----

QtWindow::QtWindow(toolkit::WindowKind kind, const std::string& caption, float clientWidth,
                   float clientHeight)
    : kind_(kind) {
  if (kind == toolkit::WindowKind::Main) {
    auto* frame = new Frame<QMainWindow>();
    link_ = frame;
    main_ = frame;
    top_ = frame;
    client_ = new QWidget(frame);
    frame->setCentralWidget(client_);
    frame->menuBar();
  } else {
    auto* frame = new Frame<QWidget>(
        nullptr, kind == toolkit::WindowKind::FixedDialog ? kDialogFlags : kToolFlags);
    link_ = frame;
    top_ = frame;
    client_ = frame;
  }
  link_->owner = this;
  SetCaption(caption);
  ResizeTopLevel(TwipsToPixels(clientWidth, TwipsPerPixelX(*top_)),
                 TwipsToPixels(clientHeight, TwipsPerPixelY(*top_)) + MenuBarHeight());
}

QtWindow::~QtWindow() {
  if (top_) {
    link_->owner = nullptr;
    top_->hide();
  }
  // The controls cut their widgets' signals while the widgets still exist.
  controls_.clear();
  menus_.clear();
  if (top_) top_->deleteLater();
}

void QtWindow::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (top_) top_->setWindowTitle(QString::fromStdString(caption));
}

float QtWindow::Left() const {
  return top_ ? static_cast<float>(top_->frameGeometry().x() * TwipsPerPixelX(*top_)) : 0.0f;
}

float QtWindow::Top() const {
  return top_ ? static_cast<float>(top_->frameGeometry().y() * TwipsPerPixelY(*top_)) : 0.0f;
}

float QtWindow::Width() const {
  return top_ ? static_cast<float>(top_->frameGeometry().width() * TwipsPerPixelX(*top_)) : 0.0f;
}

float QtWindow::Height() const {
  return top_ ? static_cast<float>(top_->frameGeometry().height() * TwipsPerPixelY(*top_)) : 0.0f;
}

void QtWindow::Move(float left, float top) {
  if (!top_) return;
  top_->move(TwipsToPixels(left, TwipsPerPixelX(*top_)), TwipsToPixels(top, TwipsPerPixelY(*top_)));
}

QSize QtWindow::FrameExtra() const {
  return top_->frameGeometry().size() - top_->geometry().size();
}

void QtWindow::SetWidth(float width) {
  if (!top_) return;
  const int outer = TwipsToPixels(width, TwipsPerPixelX(*top_));
  if (FrameExtra().isNull()) pendingOuter_.setWidth(outer);
  ResizeTopLevel(outer - FrameExtra().width(), top_->height());
}

void QtWindow::SetHeight(float height) {
  if (!top_) return;
  const int outer = TwipsToPixels(height, TwipsPerPixelY(*top_));
  if (FrameExtra().isNull()) pendingOuter_.setHeight(outer);
  ResizeTopLevel(top_->width(), outer - FrameExtra().height());
}

void QtWindow::ApplyOuterSizeOnceFrameKnown() {
  if (!top_ || (pendingOuter_.width() < 0 && pendingOuter_.height() < 0)) return;
  const QSize extra = FrameExtra();
  if (extra.isNull()) return;
  const QSize wanted = pendingOuter_;
  pendingOuter_ = QSize(-1, -1);
  ResizeTopLevel(wanted.width() >= 0 ? wanted.width() - extra.width() : top_->width(),
                 wanted.height() >= 0 ? wanted.height() - extra.height() : top_->height());
}

void QtWindow::ResizeTopLevel(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (IsFixed(kind_))
    top_->setFixedSize(width, height);
  else
    top_->resize(width, height);
}

int QtWindow::MenuBarHeight() const {
  if (!main_) return 0;
  // The height the main window's layout gives its menu bar at the window's width.
  const QMenuBar* bar = main_->menuBar();
  if (bar->isHidden()) return 0;
  int height = bar->heightForWidth(std::max(top_->width(), bar->minimumWidth()));
  if (height < 0) height = bar->sizeHint().height();
  return std::max(height, bar->minimumSizeHint().height());
}

QSize QtWindow::ClientPixels() const {
  if (!top_) return QSize(0, 0);
  if (!main_) return top_->size();
  // A shown main window has laid out its central widget; a hidden one has not yet.
  if (top_->isVisible() && client_) return client_->size();
  return QSize(top_->width(), std::max(0, top_->height() - MenuBarHeight()));
}

float QtWindow::ScaleWidth() const {
  return top_ ? static_cast<float>(ClientPixels().width() * TwipsPerPixelX(*top_)) : 0.0f;
}

float QtWindow::ScaleHeight() const {
  return top_ ? static_cast<float>(ClientPixels().height() * TwipsPerPixelY(*top_)) : 0.0f;
}

bool QtWindow::Visible() const {
  return top_ && top_->isVisible();
}

void QtWindow::SetVisible(bool visible) {
  if (!top_) return;
  if (visible)
    top_->show();
  else
    top_->hide();
}

bool QtWindow::Minimized() const {
  return top_ && top_->isMinimized();
}

void QtWindow::BringToFront() {
  if (!top_) return;
  if (top_->isMinimized()) top_->showNormal();
  top_->raise();
  top_->activateWindow();
}

template <typename T>
T* QtWindow::Keep(std::unique_ptr<T> control) {
  T* raw = control.get();
  controls_.push_back(std::move(control));
  return raw;
}

toolkit::Surface* QtWindow::AddSurface(const toolkit::Place& place) {
  return Keep(std::make_unique<QtSurface>(client_, place));
}

toolkit::ScrollBar* QtWindow::AddHScrollBar(const toolkit::Place& place) {
  return Keep(std::make_unique<QtScrollBar>(client_, Qt::Horizontal, place));
}

toolkit::ScrollBar* QtWindow::AddVScrollBar(const toolkit::Place& place) {
  return Keep(std::make_unique<QtScrollBar>(client_, Qt::Vertical, place));
}

toolkit::Button* QtWindow::AddButton(const std::string& caption, const toolkit::Place& place) {
  return Keep(std::make_unique<QtButton>(client_, caption, place));
}

toolkit::CheckBox* QtWindow::AddCheckBox(const std::string& caption, const toolkit::Place& place) {
  return Keep(std::make_unique<QtCheckBox>(client_, caption, place));
}

toolkit::ComboBox* QtWindow::AddComboBox(const toolkit::Place& place) {
  return Keep(std::make_unique<QtComboBox>(client_, place));
}

toolkit::TextBox* QtWindow::AddTextBox(const std::string& text, const toolkit::Place& place) {
  return Keep(std::make_unique<QtTextBox>(client_, text, place));
}

toolkit::Label* QtWindow::AddLabel(const std::string& caption, const toolkit::Place& place) {
  return Keep(std::make_unique<QtLabel>(client_, caption, place));
}

toolkit::Menu* QtWindow::AddMenu(const std::string& caption) {
  QMenu* menu = nullptr;
  if (main_) {
    // A hidden window keeps its client size while its menu bar grows.
    const QSize client = ClientPixels();
    menu = main_->menuBar()->addMenu(QString::fromStdString(caption));
    if (!top_->isVisible()) ResizeTopLevel(client.width(), client.height() + MenuBarHeight());
  }
  menus_.push_back(std::make_unique<QtMenu>(menu));
  return menus_.back().get();
}

void QtWindow::FrameResized() {
  Raise(onResize);
}

void QtWindow::FrameMovedOrShown() {
  if (top_ && top_->isVisible()) ApplyOuterSizeOnceFrameKnown();
}

// Nothing of this window is touched after the unload handler: the owner may destroy it there.
void QtWindow::FrameCloseRequested(QCloseEvent* event) {
  const auto query = onQueryUnload;
  const auto unload = onUnload;
  const bool endsProgram = kind_ == toolkit::WindowKind::Main;
  if (query && !query()) {
    event->ignore();
    return;
  }
  event->accept();
  if (unload) unload();
  if (endsProgram) QueueQuit();
}

}  // namespace korvane::qt
