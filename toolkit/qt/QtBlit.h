#pragma once

#include <QImage>
#include <QRect>

namespace korvane::qt {

// Copies the `from` rectangle of `source` onto the `to` rectangle of `target` when `to` is the
// same size or exactly twice the size (the two map zooms), both images hold 32-bit pixels and
// both rectangles lie wholly inside their images. Returns false, having drawn nothing, for every
// other case, which the caller leaves to QPainter. Pixels are copied as they are: a plain copy.
bool BlitPlainCopy(QImage& target, const QRect& to, const QImage& source, const QRect& from);

}  // namespace korvane::qt
