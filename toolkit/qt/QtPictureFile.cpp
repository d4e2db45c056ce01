#include "toolkit/qt/QtPictureFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "toolkit/posix/PosixFileSystem.h"

namespace korvane::qt {

QImage DecodePictureFile(const std::string& path, std::string& why) {
  toolkit::PosixFileSystem files;
  toolkit::FileError error;
  const auto bytes = files.ReadAll(path, error);
  if (!bytes) {
    why = error.reason;
    return QImage();
  }
  QByteArray data(reinterpret_cast<const char*>(bytes->data()),
                  static_cast<qsizetype>(bytes->size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader::setAllocationLimit(kPictureMemoryLimitMiB);
  QImageReader reader(&buffer);
  const QSize size = reader.size();
  if (size.isValid() &&
      int64_t{size.width()} * size.height() * 4 > (int64_t{kPictureMemoryLimitMiB} << 20)) {
    why = "the picture is " + std::to_string(size.width()) + " x " + std::to_string(size.height()) +
          " pixels, more than the " + std::to_string(kPictureMemoryLimitMiB) +
          " MiB of pixels a tile sheet may take";
    return QImage();
  }
  QImage image = reader.read();
  if (image.isNull())
    why = "it is not a picture in a format Korvane reads (" + reader.errorString().toStdString() +
          ")";
  return image;
}

}  // namespace korvane::qt
