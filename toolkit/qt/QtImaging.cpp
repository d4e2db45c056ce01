#include "toolkit/qt/QtImaging.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <cmath>

#include "toolkit/qt/QtPicture.h"
#include "toolkit/qt/QtTwipsPainter.h"
#include "toolkit/qt/QtUnits.h"

namespace korvane::qt {

QtImageSurface::QtImageSurface()
    : metrics_(1, 1, QImage::Format_RGB32),
      tppX_(ScreenTwipsPerPixelX()),
      tppY_(ScreenTwipsPerPixelY()),
      font_(QGuiApplication::font()) {
  Measure(metrics_);
}

// Text drawn into the image has the size the font measures report at the screen's resolution.
void QtImageSurface::Measure(QImage& image) const {
  image.setDotsPerMeterX(static_cast<int>(std::lround(kTwipsPerInch / tppX_ / 0.0254)));
  image.setDotsPerMeterY(static_cast<int>(std::lround(kTwipsPerInch / tppY_ / 0.0254)));
}

bool QtImageSurface::Resize(int32_t width, int32_t height) {
  image_ = QImage();
  if (width < 1 || height < 1) return true;
  image_ = QImage(width, height, QImage::Format_RGB32);
  if (image_.isNull()) return false;
  Measure(image_);
  Refresh();
  return true;
}

toolkit::PixelRows<uint32_t> QtImageSurface::Pixels() {
  if (image_.isNull()) return {};
  return {reinterpret_cast<uint32_t*>(image_.bits()), image_.width(), image_.height(),
          image_.bytesPerLine() / 4};
}

toolkit::Place QtImageSurface::GetPlace() const {
  return {0, 0, ScaleWidth(), ScaleHeight()};
}

float QtImageSurface::ScaleWidth() const {
  return static_cast<float>(image_.width() * tppX_);
}

float QtImageSurface::ScaleHeight() const {
  return static_cast<float>(image_.height() * tppY_);
}

float QtImageSurface::ScaleX(float value, toolkit::ScaleUnit from, toolkit::ScaleUnit to) const {
  return toolkit::ConvertScale(value, from, to, tppX_);
}

float QtImageSurface::ScaleY(float value, toolkit::ScaleUnit from, toolkit::ScaleUnit to) const {
  return toolkit::ConvertScale(value, from, to, tppY_);
}

void QtImageSurface::PaintPicture(const toolkit::Picture& picture, float x1, float y1, float w1,
                                  float h1, float x2, float y2, float w2, float h2) {
  TwipsPainter(image_, tppX_, tppY_).Picture(picture, x1, y1, w1, h1, x2, y2, w2, h2);
}

void QtImageSurface::FilledBox(float x1, float y1, float dx, float dy, toolkit::Color color) {
  TwipsPainter(image_, tppX_, tppY_).Box(x1, y1, dx, dy, color);
}

void QtImageSurface::Circle(float x, float y, float radius) {
  TwipsPainter(image_, tppX_, tppY_).Circle(x, y, radius, foreColor_);
}

void QtImageSurface::DottedLine(float x1, float y1, float x2, float y2) {
  TwipsPainter(image_, tppX_, tppY_).DottedLine(x1, y1, x2, y2, foreColor_);
}

float QtImageSurface::TextWidth(const std::string& text) const {
  return TextWidthTwips(font_, metrics_, tppX_, text);
}

float QtImageSurface::TextHeight(const std::string&) const {
  return TextHeightTwips(font_, metrics_, tppY_);
}

void QtImageSurface::Print(const std::string& text) {
  TwipsPainter(image_, tppX_, tppY_).Text(font_, metrics_, currentX_, currentY_, text, foreColor_);
  currentX_ = 0;
  currentY_ += TextHeight(text);
}

void QtImageSurface::Refresh() {
  ClearTo(image_, backColor_, picture_.get());
  if (onPaint) onPaint();
}

toolkit::PicturePtr QtImaging::LoadPicture(const std::string& path, std::string& why) {
  return PictureFromFile(path, why);
}

toolkit::PicturePtr QtImaging::PictureFromImage(const toolkit::RgbImage& image) {
  return qt::PictureFromImage(image);
}

toolkit::PixelRows<const uint32_t> QtImaging::PicturePixels(const toolkit::Picture& picture) {
  return qt::PicturePixels(picture);
}

std::unique_ptr<toolkit::ImageSurface> QtImaging::CreateImageSurface() {
  return std::make_unique<QtImageSurface>();
}

std::optional<std::vector<uint8_t>> QtImaging::EncodePng(
    const toolkit::PixelRows<const uint32_t>& pixels) {
  // The pixels are encoded where they lie, as an image of the default resolution.
  const QImage image(reinterpret_cast<const uchar*>(pixels.bits), pixels.width, pixels.height,
                     static_cast<qsizetype>(pixels.stride) * 4, QImage::Format_RGB32);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) return std::nullopt;
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace korvane::qt
