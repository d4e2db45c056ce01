// korvane_screen: what the Windows tests need of pictures on the Linux side, where Wine's windows
// are shown on an X display.
//
//   korvane_screen bmp IN OUT.bmp               IN as a 24-bit Windows bitmap
//   korvane_screen shot OUT.png                 the whole screen
//   korvane_screen find PICTURE [X Y W H] [within X Y W H]
//                                               where PICTURE, or its part X Y W H, shows on the
//                                               screen (or within a part of it), pixel for pixel:
//                                               "X Y"; exit status 1 when it shows nowhere

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

QImage Screen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32) : QImage();
}

// The first place in `area`, row by row, where every pixel of `part` equals the screen's.
std::optional<QPoint> Find(const QImage& screen, const QImage& part, QRect area) {
  area &= screen.rect();
  for (int y = area.top(); y + part.height() <= area.bottom() + 1; ++y)
    for (int x = area.left(); x + part.width() <= area.right() + 1; ++x) {
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
  std::fputs(
      "usage: korvane_screen bmp IN OUT.bmp | shot OUT.png |\n"
      "       find PICTURE [X Y W H] [within X Y W H]\n",
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
  std::vector<std::string> args(argv + std::min(argc, 2), argv + argc);
  QRect within(0, 0, 1 << 20, 1 << 20);
  if (args.size() >= 5 && args[args.size() - 5] == "within") {
    within = QRect(std::stoi(args[args.size() - 4]), std::stoi(args[args.size() - 3]),
                   std::stoi(args[args.size() - 2]), std::stoi(args[args.size() - 1]));
    args.resize(args.size() - 5);
  }
  if ((command != "shot" || args.size() != 1) &&
      (command != "find" || (args.size() != 1 && args.size() != 5)))
    return Usage();
  QGuiApplication app(argc, argv);
  const QImage screen = Screen();
  if (screen.isNull()) return 1;
  if (command == "shot") return screen.save(QString::fromLocal8Bit(args[0]), "PNG") ? 0 : 1;
  QImage part = QImage(QString::fromLocal8Bit(args[0])).convertToFormat(QImage::Format_RGB32);
  if (args.size() == 5)
    part =
        part.copy(std::stoi(args[1]), std::stoi(args[2]), std::stoi(args[3]), std::stoi(args[4]));
  if (part.isNull()) return Usage();
  const std::optional<QPoint> at = Find(screen, part, within);
  if (!at) return 1;
  std::printf("%d %d\n", at->x(), at->y());
  return 0;
}
