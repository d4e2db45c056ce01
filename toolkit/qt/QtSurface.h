#pragma once

#include <QImage>
#include <QWidget>
#include <string>

#include "toolkit/Controls.h"
#include "toolkit/qt/QtControlBase.h"

namespace korvane::qt {

class QtSurface;

// The widget of a picture box: it shows its surface's image and passes the mouse on.
class SurfaceWidget : public QWidget {
 public:
  explicit SurfaceWidget(QWidget* parent);
  // Null once the surface is gone; the widget then only waits for its deletion.
  QtSurface* owner = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// A picture box working in twips. Every drawing call goes into a backing image at once, in or
// out of the paint handler, and stays there until the surface is cleared; the widget's own paint
// only shows the image. The surface is cleared and its paint handler raised by Refresh (at
// once), and, as uncovering a window does, when the widget grows or is shown (from the event
// loop, once it is visible).
class QtSurface : public QtControl<toolkit::Surface, SurfaceWidget> {
 public:
  QtSurface(QWidget* parent, const toolkit::Place& place);
  ~QtSurface() override;

  void SetPlace(const toolkit::Place& place) override;
  float ScaleWidth() const override;
  float ScaleHeight() const override;
  float ScaleX(float value, toolkit::ScaleUnit from, toolkit::ScaleUnit to) const override;
  float ScaleY(float value, toolkit::ScaleUnit from, toolkit::ScaleUnit to) const override;
  void PaintPicture(const toolkit::Picture& picture, float x1, float y1, float w1, float h1,
                    float x2, float y2, float w2, float h2) override;
  void FilledBox(float x1, float y1, float dx, float dy, toolkit::Color color) override;
  void PutPixels(float x, float y, const toolkit::PixelRows<const uint32_t>& pixels) override;
  void Circle(float x, float y, float radius) override;
  void DottedLine(float x1, float y1, float x2, float y2) override;
  float TextWidth(const std::string& text) const override;
  float TextHeight(const std::string& text) const override;
  void SetCurrentX(float x) override { currentX_ = x; }
  void SetCurrentY(float y) override { currentY_ = y; }
  void Print(const std::string& text) override;
  void SetBackColor(toolkit::Color color) override;
  void SetForeColor(toolkit::Color color) override { foreColor_ = color; }
  void SetPicture(toolkit::PicturePtr picture) override;
  toolkit::PicturePtr GetPicture() const override { return picture_; }
  void Refresh() override;

  // What the widget shows.
  const QImage& Image() const { return image_; }

 private:
  friend class SurfaceWidget;
  double TppX() const;
  double TppY() const;
  void ForgetScale();
  void ShowLater(const QRect& touched);
  // Matches the image to the widget's size: a smaller widget keeps the top-left part of the
  // drawing, a larger one (or the first) starts a fresh image and asks for a paint.
  void FitImage();
  // Fills the image with the background colour and draws the surface's own picture.
  void ClearImage();
  // Asks for a clear and a paint from the event loop, as a window system does.
  void RequestUncoverPaint();
  void UncoverPaint();
  void Mouse(const std::function<void(int16_t, int16_t, float, float)>& handler, int16_t button,
             Qt::KeyboardModifiers modifiers, QPointF position);

  QImage image_;
  // The widget size the image was last matched to (the image is null while that is empty).
  QSize fittedSize_;
  bool fitted_ = false;
  toolkit::Color backColor_{255, 255, 255};
  toolkit::Color foreColor_{0, 0, 0};
  float currentX_ = 0;
  float currentY_ = 0;
  toolkit::PicturePtr picture_;
  // A clear and paint is owed; a call to UncoverPaint is waiting in the event queue.
  bool paintPending_ = false;
  bool paintQueued_ = false;
  // A repaint of the widget is waiting in the event queue, for the pixels in changed_.
  bool showQueued_ = false;
  QRect changed_;
  // The paint handler of Refresh is running.
  bool refreshing_ = false;
  // Twips per pixel as last asked of the widget; 0 until asked.
  mutable double tppX_ = 0;
  mutable double tppY_ = 0;
};

}  // namespace korvane::qt
