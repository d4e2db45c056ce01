#include "toolkit/qt/QtSurface.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <cmath>
#include <cstring>

#include "toolkit/qt/QtPicture.h"
#include "toolkit/qt/QtTwipsPainter.h"
#include "toolkit/qt/QtUnits.h"

namespace korvane::qt {

namespace {

// The mouse buttons as the editor numbers them: 1 left, 2 right, 4 middle.
int16_t ButtonCode(Qt::MouseButtons buttons) {
  int16_t code = 0;
  if (buttons & Qt::LeftButton) code += toolkit::kLeftButton;
  if (buttons & Qt::RightButton) code += toolkit::kRightButton;
  if (buttons & Qt::MiddleButton) code += toolkit::kMiddleButton;
  return code;
}

// Shift 1, Ctrl 2, Alt 4.
int16_t ShiftCode(Qt::KeyboardModifiers modifiers) {
  int16_t code = 0;
  if (modifiers & Qt::ShiftModifier) code += 1;
  if (modifiers & Qt::ControlModifier) code += 2;
  if (modifiers & Qt::AltModifier) code += 4;
  return code;
}

}  // namespace

// ---- Widget ----

SurfaceWidget::SurfaceWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  // The editor hears the pointer move with no button held, too.
  setMouseTracking(true);
}

void SurfaceWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (!owner) {
    painter.fillRect(event->rect(), palette().window());
    return;
  }
  const QImage& image = owner->Image();
  // Only the part asked for is copied: a one-cell update sends one cell.
  const QRect asked = event->rect();
  painter.drawImage(asked.topLeft(), image, asked);
  // Anything the image does not cover yet shows the background colour.
  const QRegion uncovered = QRegion(asked) - QRegion(image.rect());
  for (const QRect& r : uncovered) painter.fillRect(r, ToQColor(owner->backColor_));
}

void SurfaceWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (owner) owner->FitImage();
}

void SurfaceWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (owner && !event->spontaneous()) owner->RequestUncoverPaint();
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event) {
  // Buttons the editor has no number for (back, forward) are not passed on.
  if (owner && ButtonCode(event->button()) != 0)
    owner->Mouse(owner->onMouseDown, ButtonCode(event->button()), event->modifiers(),
                 event->position());
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* event) {
  if (owner)
    owner->Mouse(owner->onMouseMove, ButtonCode(event->buttons()), event->modifiers(),
                 event->position());
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (owner && ButtonCode(event->button()) != 0)
    owner->Mouse(owner->onMouseUp, ButtonCode(event->button()), event->modifiers(),
                 event->position());
}

// ---- Surface ----

QtSurface::QtSurface(QWidget* parent, const toolkit::Place& place)
    : QtControl(new SurfaceWidget(parent), place) {
  widget_->owner = this;
  FitImage();
}

QtSurface::~QtSurface() {
  if (widget_) widget_->owner = nullptr;
}

// Asking the widget for its DPI costs more than copying a tile, so the answer is kept; it is
// asked again whenever the surface is fitted to its widget or refreshed.
double QtSurface::TppX() const {
  if (tppX_ <= 0) tppX_ = widget_ ? TwipsPerPixelX(*widget_) : ScreenTwipsPerPixelX();
  return tppX_;
}

double QtSurface::TppY() const {
  if (tppY_ <= 0) tppY_ = widget_ ? TwipsPerPixelY(*widget_) : ScreenTwipsPerPixelY();
  return tppY_;
}

void QtSurface::ForgetScale() {
  tppX_ = tppY_ = 0;
}

// One repaint of the widget for a whole run of drawing calls, once control is back in the event
// loop, instead of one request per call, covering only the pixels the calls touched. Inside
// Refresh nothing is queued: Refresh repaints the whole widget itself, and a second request
// arriving after something flushed the window in between (a scroll bar repaints itself at once
// when pressed) would paint and send the display twice.
void QtSurface::ShowLater(const QRect& touched) {
  if (!widget_ || refreshing_) return;
  changed_ |= touched.intersected(image_.rect());
  if (showQueued_ || changed_.isEmpty()) return;
  showQueued_ = true;
  QPointer<SurfaceWidget> widget = widget_;
  QMetaObject::invokeMethod(
      widget_,
      [widget] {
        if (!widget || !widget->owner) return;
        QtSurface& surface = *widget->owner;
        surface.showQueued_ = false;
        if (!surface.changed_.isEmpty()) widget->update(surface.changed_);
        surface.changed_ = QRect();
      },
      Qt::QueuedConnection);
}

void QtSurface::SetPlace(const toolkit::Place& place) {
  QtControl::SetPlace(place);
  FitImage();
}

float QtSurface::ScaleWidth() const {
  return widget_ ? static_cast<float>(widget_->width() * TppX()) : 0.0f;
}

float QtSurface::ScaleHeight() const {
  return widget_ ? static_cast<float>(widget_->height() * TppY()) : 0.0f;
}

float QtSurface::ScaleX(float value, toolkit::ScaleUnit from, toolkit::ScaleUnit to) const {
  return toolkit::ConvertScale(value, from, to, TppX());
}

float QtSurface::ScaleY(float value, toolkit::ScaleUnit from, toolkit::ScaleUnit to) const {
  return toolkit::ConvertScale(value, from, to, TppY());
}

void QtSurface::FitImage() {
  if (!widget_) return;
  // Larger than any screen: a box placed beyond it keeps its drawing to this part, and shows
  // the background colour in the rest, instead of asking for gigabytes.
  constexpr int kLargestImageSide = 8192;
  const QSize size = widget_->size().boundedTo(QSize(kLargestImageSide, kLargestImageSide));
  if (fitted_ && size == fittedSize_) return;
  ForgetScale();
  const bool grew =
      !fitted_ || size.width() > fittedSize_.width() || size.height() > fittedSize_.height();
  fitted_ = true;
  fittedSize_ = size;
  if (!grew) {
    image_ = size.isEmpty() ? QImage() : image_.copy(0, 0, size.width(), size.height());
    return;
  }
  image_ = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
  if (!image_.isNull()) {
    // Text drawn into the image must have the size the widget's font metrics report.
    image_.setDotsPerMeterX(static_cast<int>(std::lround(widget_->logicalDpiX() / 0.0254)));
    image_.setDotsPerMeterY(static_cast<int>(std::lround(widget_->logicalDpiY() / 0.0254)));
  }
  ClearImage();
  RequestUncoverPaint();
}

void QtSurface::ClearImage() {
  ClearTo(image_, backColor_, picture_.get());
}

void QtSurface::RequestUncoverPaint() {
  paintPending_ = true;
  if (!widget_ || paintQueued_) return;
  paintQueued_ = true;
  QPointer<SurfaceWidget> widget = widget_;
  QMetaObject::invokeMethod(
      widget_,
      [widget] {
        if (widget && widget->owner) widget->owner->UncoverPaint();
      },
      Qt::QueuedConnection);
}

// A hidden surface keeps its request until it is shown (showing asks again), as nothing of it
// can be seen before. A Refresh in the meantime has already painted.
void QtSurface::UncoverPaint() {
  paintQueued_ = false;
  if (!paintPending_ || !widget_ || !widget_->isVisible()) return;
  Refresh();
}

void QtSurface::Refresh() {
  ForgetScale();
  FitImage();
  paintPending_ = false;
  ClearImage();
  QPointer<SurfaceWidget> widget = widget_;
  // The whole widget is repainted below, which covers whatever was waiting to be shown.
  changed_ = QRect();
  const bool nested = refreshing_;
  refreshing_ = true;
  Raise(onPaint);
  // The handler may have destroyed this surface (its widget then has no owner).
  if (!widget || widget->owner != this) return;
  refreshing_ = nested;
  widget->update();
}

void QtSurface::SetBackColor(toolkit::Color color) {
  backColor_ = color;
}

void QtSurface::SetPicture(toolkit::PicturePtr picture) {
  picture_ = std::move(picture);
  // The new picture replaces what the box showed, at once; the paint handler follows later.
  ClearImage();
  if (widget_) widget_->update();
  if (onPaint) RequestUncoverPaint();
}

void QtSurface::PaintPicture(const toolkit::Picture& picture, float x1, float y1, float w1,
                             float h1, float x2, float y2, float w2, float h2) {
  FitImage();
  ShowLater(TwipsPainter(image_, TppX(), TppY()).Picture(picture, x1, y1, w1, h1, x2, y2, w2, h2));
}

// The box takes in both corners, so a box from a cell's corner to one pixel beyond its tile
// covers the pixel beyond too.
void QtSurface::FilledBox(float x1, float y1, float dx, float dy, toolkit::Color color) {
  FitImage();
  ShowLater(TwipsPainter(image_, TppX(), TppY()).Box(x1, y1, dx, dy, color));
}

void QtSurface::PutPixels(float x, float y, const toolkit::PixelRows<const uint32_t>& pixels) {
  FitImage();
  if (image_.isNull()) return;
  const QRect at(toolkit::TwipsToPixels(x, TppX()), toolkit::TwipsToPixels(y, TppY()), pixels.width,
                 pixels.height);
  const QRect inside = at.intersected(image_.rect());
  if (inside.isEmpty()) return;
  for (int row = inside.top(); row <= inside.bottom(); ++row)
    std::memcpy(reinterpret_cast<uint32_t*>(image_.scanLine(row)) + inside.left(),
                pixels.Row(row - at.top()) + (inside.left() - at.left()),
                static_cast<size_t>(inside.width()) * 4);
  ShowLater(inside);
}

void QtSurface::Circle(float x, float y, float radius) {
  FitImage();
  ShowLater(TwipsPainter(image_, TppX(), TppY()).Circle(x, y, radius, foreColor_));
}

void QtSurface::DottedLine(float x1, float y1, float x2, float y2) {
  FitImage();
  ShowLater(TwipsPainter(image_, TppX(), TppY()).DottedLine(x1, y1, x2, y2, foreColor_));
}

float QtSurface::TextWidth(const std::string& text) const {
  return widget_ ? TextWidthTwips(widget_->font(), *widget_, TppX(), text) : 0;
}

float QtSurface::TextHeight(const std::string&) const {
  return widget_ ? TextHeightTwips(widget_->font(), *widget_, TppY()) : 0;
}

void QtSurface::Print(const std::string& text) {
  FitImage();
  if (widget_)
    ShowLater(TwipsPainter(image_, TppX(), TppY())
                  .Text(widget_->font(), *widget_, currentX_, currentY_, text, foreColor_));
  currentX_ = 0;
  currentY_ += TextHeight(text);
}

void QtSurface::Mouse(const std::function<void(int16_t, int16_t, float, float)>& handler,
                      int16_t button, Qt::KeyboardModifiers modifiers, QPointF position) {
  if (!handler) return;
  auto copy = handler;
  copy(button, ShiftCode(modifiers), static_cast<float>(position.x() * TppX()),
       static_cast<float>(position.y() * TppY()));
}

}  // namespace korvane::qt
