#include "toolkit/qt/QtTwipsPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "toolkit/PixelCopy.h"
#include "toolkit/qt/QtBlit.h"
#include "toolkit/qt/QtPicture.h"
#include "toolkit/qt/QtUnits.h"

namespace korvane::qt {

QColor ToQColor(toolkit::Color c) {
  return QColor(c.r, c.g, c.b);
}

QRect TwipsPainter::Picture(const toolkit::Picture& picture, float x1, float y1, float w1, float h1,
                            float x2, float y2, float w2, float h2) {
  const auto* source = dynamic_cast<const QtPicture*>(&picture);
  if (!source || source->Image().isNull() || image_.isNull()) return {};
  const QRect to = TwipsToPixelRect(x1, y1, w1, h1, tppX_, tppY_);
  const QRect from = TwipsToPixelRect(x2, y2, w2, h2, tppX_, tppY_);
  if (to.isEmpty() || from.isEmpty()) return {};
  if (!BlitPlainCopy(image_, to, source->Image(), from)) {
    QPainter painter(&image_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(to, source->Image(), from);
  }
  return to;
}

QRect TwipsPainter::Box(float x1, float y1, float dx, float dy, toolkit::Color color) {
  if (image_.isNull()) return {};
  QRect box = TwipsToPixelRect(x1, y1, dx, dy, tppX_, tppY_);
  box.setWidth(box.width() + 1);
  box.setHeight(box.height() + 1);
  QPainter painter(&image_);
  painter.fillRect(box, ToQColor(color));
  return box;
}

QRect TwipsPainter::Circle(float x, float y, float radius, toolkit::Color color) {
  if (image_.isNull()) return {};
  const double cx = TwipsToPixels(x, tppX_);
  const double cy = TwipsToPixels(y, tppY_);
  const double rx = TwipsToPixels(std::fabs(radius), tppX_);
  const double ry = TwipsToPixels(std::fabs(radius), tppY_);
  QPainter painter(&image_);
  painter.setPen(QPen(ToQColor(color), 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QPointF(cx, cy), rx, ry);
  // The outline's pixels reach about one beyond the ellipse's edge.
  return QRectF(cx - rx, cy - ry, 2 * rx, 2 * ry).toAlignedRect().adjusted(-2, -2, 2, 2);
}

QRect TwipsPainter::DottedLine(float x1, float y1, float x2, float y2, toolkit::Color color) {
  if (image_.isNull()) return {};
  const toolkit::PixelRect line = toolkit::DottedLinePixels(x1, y1, x2, y2, tppX_, tppY_);
  const toolkit::PixelRows<uint32_t> rows{reinterpret_cast<uint32_t*>(image_.bits()),
                                          image_.width(), image_.height(),
                                          image_.bytesPerLine() / 4};
  toolkit::DrawDotted(rows, line, ToQColor(color).rgb());
  return QRect(line.x, line.y, line.width, line.height);
}

QRect TwipsPainter::Text(const QFont& font, const QPaintDevice& metrics, float x, float y,
                         const std::string& text, toolkit::Color color) {
  if (image_.isNull()) return {};
  const QFontMetricsF measures(font, &metrics);
  const QPointF baseline(x / tppX_, y / tppY_ + measures.ascent());
  QPainter painter(&image_);
  painter.setFont(font);
  painter.setPen(ToQColor(color));
  const QString shown = QString::fromStdString(text);
  painter.drawText(baseline, shown);
  return measures.boundingRect(shown).translated(baseline).toAlignedRect().adjusted(-2, -2, 2, 2);
}

float TextWidthTwips(const QFont& font, const QPaintDevice& metrics, double tppX,
                     const std::string& text) {
  const QFontMetricsF measures(font, &metrics);
  return static_cast<float>(measures.horizontalAdvance(QString::fromStdString(text)) * tppX);
}

float TextHeightTwips(const QFont& font, const QPaintDevice& metrics, double tppY) {
  const QFontMetricsF measures(font, &metrics);
  return static_cast<float>(measures.height() * tppY);
}

void ClearTo(QImage& image, toolkit::Color back, const toolkit::Picture* picture) {
  if (image.isNull()) return;
  image.fill(ToQColor(back));
  if (const auto* own = dynamic_cast<const QtPicture*>(picture); own && !own->Image().isNull()) {
    QPainter painter(&image);
    painter.drawImage(QPoint(0, 0), own->Image());
  }
}

}  // namespace korvane::qt
