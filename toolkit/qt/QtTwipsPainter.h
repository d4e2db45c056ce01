#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <string>

#include "toolkit/Picture.h"
#include "toolkit/Types.h"

class QPaintDevice;

namespace korvane::qt {

// Drawing in twips into a 32-bit image: what a picture box and an off-screen image surface share,
// so that both give the same pixels. Each call draws at once and returns the pixels it touched.
class TwipsPainter {
 public:
  TwipsPainter(QImage& image, double tppX, double tppY) : image_(image), tppX_(tppX), tppY_(tppY) {}

  // A stretched plain copy of a picture of this backend (others draw nothing).
  QRect Picture(const toolkit::Picture& picture, float x1, float y1, float w1, float h1, float x2,
                float y2, float w2, float h2);
  // A filled box that takes in both corners.
  QRect Box(float x1, float y1, float dx, float dy, toolkit::Color color);
  QRect Circle(float x, float y, float radius, toolkit::Color color);
  QRect DottedLine(float x1, float y1, float x2, float y2, toolkit::Color color);
  // Text whose top-left corner is at (x, y), in `font` as measured on `metrics`.
  QRect Text(const QFont& font, const QPaintDevice& metrics, float x, float y,
             const std::string& text, toolkit::Color color);

 private:
  QImage& image_;
  double tppX_;
  double tppY_;
};

// Text measures in twips, in `font` as measured on `metrics`.
float TextWidthTwips(const QFont& font, const QPaintDevice& metrics, double tppX,
                     const std::string& text);
float TextHeightTwips(const QFont& font, const QPaintDevice& metrics, double tppY);

// Fills the image with the background colour and draws the surface's own picture (a picture of
// this backend) at its top-left corner.
void ClearTo(QImage& image, toolkit::Color back, const toolkit::Picture* picture);

QColor ToQColor(toolkit::Color c);

}  // namespace korvane::qt
