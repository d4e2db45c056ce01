// korvane_screen: what the Windows tests need of pictures on the Linux side, where Wine's windows
// are shown on an X display.
//
//   korvane_screen bmp IN OUT.bmp               IN as a 24-bit Windows bitmap
//   korvane_screen shot OUT.png                 the whole screen
//   korvane_screen find PICTURE [X Y W H]       where PICTURE, or its part X Y W H, shows on the
//                                               screen, pixel for pixel: "X Y"; exit status 1 when
//                                               it shows nowhere

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <optional>
#include <string>

namespace {

QImage Screen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32) : QImage();
}

// The first place, row by row, where every pixel of `part` equals the screen's.
std::optional<QPoint> Find(const QImage& screen, const QImage& part) {
  for (int y = 0; y + part.height() <= screen.height(); ++y)
    for (int x = 0; x + part.width() <= screen.width(); ++x) {
      bool same = true;
      for (int row = 0; same && row < part.height(); ++row) {
        const auto* s = reinterpret_cast<const QRgb*>(screen.constScanLine(y + row)) + x;
        const auto* p = reinterpret_cast<const QRgb*>(part.constScanLine(row));
        for (int col = 0; same && col < part.width(); ++col) same = (s[col] ^ p[col]) << 8 == 0;
      }
      if (same) return QPoint(x, y);
    }
  return std::nullopt;
}

int Usage() {
  std::fputs("usage: korvane_screen bmp IN OUT.bmp | shot OUT.png | find PICTURE [X Y W H]\n",
             stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "bmp" && argc == 4) {
    const QImage in(QString::fromLocal8Bit(argv[2]));
    return !in.isNull() && in.convertToFormat(QImage::Format_RGB888).save(argv[3], "BMP") ? 0 : 1;
  }
  if ((command != "shot" || argc != 3) && (command != "find" || (argc != 3 && argc != 7)))
    return Usage();
  QGuiApplication app(argc, argv);
  const QImage screen = Screen();
  if (screen.isNull()) return 1;
  if (command == "shot") return screen.save(argv[2], "PNG") ? 0 : 1;
  QImage part = QImage(QString::fromLocal8Bit(argv[2])).convertToFormat(QImage::Format_RGB32);
  if (argc == 7)
    part =
        part.copy(std::stoi(argv[3]), std::stoi(argv[4]), std::stoi(argv[5]), std::stoi(argv[6]));
  if (part.isNull()) return Usage();
  const std::optional<QPoint> at = Find(screen, part);
  if (!at) return 1;
  std::printf("%d %d\n", at->x(), at->y());
  return 0;
}
