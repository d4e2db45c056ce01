#pragma once

#include <QFont>
#include <QImage>

#include "toolkit/Imaging.h"

namespace korvane::qt {

// An image surface on Qt: drawn on with the code of the picture box (QtSurface), at the primary
// screen's resolution and in the application's font, as the map display would be.
class QtImageSurface : public toolkit::ImageSurface {
 public:
  QtImageSurface();

  bool Resize(int32_t width, int32_t height) override;
  toolkit::PixelRows<uint32_t> Pixels() override;

  toolkit::Place GetPlace() const override;
  void SetPlace(const toolkit::Place&) override {}
  bool Enabled() const override { return true; }
  void SetEnabled(bool) override {}
  float ScaleWidth() const override;
  float ScaleHeight() const override;
  float ScaleX(float value, toolkit::ScaleUnit from, toolkit::ScaleUnit to) const override;
  float ScaleY(float value, toolkit::ScaleUnit from, toolkit::ScaleUnit to) const override;
  void PaintPicture(const toolkit::Picture& picture, float x1, float y1, float w1, float h1,
                    float x2, float y2, float w2, float h2) override;
  void FilledBox(float x1, float y1, float dx, float dy, toolkit::Color color) override;
  void Circle(float x, float y, float radius) override;
  void DottedLine(float x1, float y1, float x2, float y2) override;
  float TextWidth(const std::string& text) const override;
  float TextHeight(const std::string& text) const override;
  void SetCurrentX(float x) override { currentX_ = x; }
  void SetCurrentY(float y) override { currentY_ = y; }
  void Print(const std::string& text) override;
  void SetBackColor(toolkit::Color color) override { backColor_ = color; }
  void SetForeColor(toolkit::Color color) override { foreColor_ = color; }
  void SetPicture(toolkit::PicturePtr picture) override { picture_ = std::move(picture); }
  toolkit::PicturePtr GetPicture() const override { return picture_; }
  void Refresh() override;

 private:
  void Measure(QImage& image) const;

  QImage image_;
  // The resolution text is measured at, whether the surface has pixels yet or not.
  QImage metrics_;
  double tppX_;
  double tppY_;
  QFont font_;
  toolkit::Color backColor_{255, 255, 255};
  toolkit::Color foreColor_{0, 0, 0};
  float currentX_ = 0;
  float currentY_ = 0;
  toolkit::PicturePtr picture_;
};

// Pictures without windows on Qt. A QGuiApplication must exist while they are drawn or encoded.
class QtImaging : public toolkit::Imaging {
 public:
  toolkit::PicturePtr LoadPicture(const std::string& path, std::string& why) override;
  toolkit::PicturePtr PictureFromImage(const toolkit::RgbImage& image) override;
  toolkit::PixelRows<const uint32_t> PicturePixels(const toolkit::Picture& picture) override;
  std::unique_ptr<toolkit::ImageSurface> CreateImageSurface() override;
  std::optional<std::vector<uint8_t>> EncodePng(
      const toolkit::PixelRows<const uint32_t>& pixels) override;
};

}  // namespace korvane::qt
