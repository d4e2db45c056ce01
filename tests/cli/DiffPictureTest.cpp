#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include "app/cli/DiffPicture.h"
#include "app/cli/MapRenderer.h"
#include "app/cli/QtServices.h"
#include "tests/cli/CliFixture.h"
#include "tiles/SampleSheet.h"

// The Qt application for these tests is set up by RenderTest.cpp's environment.

namespace korvane::clitest {
namespace {

MapFileContents Contents(const Grid16& tiles, const Grid16& overlay) {
  MapFileContents map;
  map.width = static_cast<int16_t>(tiles.Width());
  map.height = static_cast<int16_t>(tiles.Height());
  map.tiles = tiles;
  map.overlay = overlay;
  return map;
}

// Varied tiles of the sample sheet and single-digit overlay values, which stay in their cells.
MapFileContents Sample(int32_t w, int32_t h) {
  Grid16 tiles = Grid(w, h);
  Grid16 overlay = Grid(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      tiles.Set(x, y, static_cast<int16_t>((x * 37 + y * 11) % 270));
      if ((x * 3 + y * 5) % 7 == 3) overlay.Set(x, y, static_cast<int16_t>((x + y) % 9 + 1));
    }
  return Contents(tiles, overlay);
}

QImage Drawn(const MapFileContents& map) {
  cli::RenderRequest request;
  request.overlay = true;
  auto drawn = cli::RenderMapImage(map, request);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return std::get<QImage>(drawn);
}

bool OnRing(int px, int py, int pitch, int ring) {
  return std::min({px, py, pitch - 1 - px, pitch - 1 - py}) == ring;
}

class CliDiffPicture : public CliTest {
 protected:
  CliDiffPicture() { services_ = cli::MakeQtServices(); }
};

// Each side of the picture is the editor's drawing of the same cells, pixel for pixel, except
// the two outline rings of every changed cell; cells only the other map has are dark grey.
TEST_F(CliDiffPicture, SidesAreTheEditorsDrawingWithChangedCellsOutlined) {
  const MapFileContents before = Sample(12, 9);
  MapFileContents after = Sample(13, 9);  // one column wider
  after.tiles.Set(5, 4, 3);
  after.overlay.Set(4, 2, 7);
  after.overlay.Set(3, 3, 0);
  const std::string oldPath = WriteMap("old.map", before.tiles, before.overlay);
  const std::string newPath = WriteMap("new.map", after.tiles, after.overlay);
  const RunResult r = Run({"diff", oldPath, newPath, "-o", Path("d.png"), "--context", "1"});
  ASSERT_EQ(r.code, 1) << r.err;
  const QImage picture =
      QImage(QString::fromStdString(Path("d.png"))).convertToFormat(QImage::Format_RGB32);

  // Changes span x 3..12, y 0..8; one cell of context adds column 2.
  const QRect region(2, 0, 11, 9);
  const int pitch = kSampleTileSize;
  const int side = region.width() * pitch;
  ASSERT_EQ(picture.size(), QSize(2 * side + cli::kDiffGap, region.height() * pitch));
  EXPECT_EQ(picture.pixel(side + cli::kDiffGap / 2, 5), cli::kDiffGapColour);

  struct Side {
    const MapFileContents& map;
    int left;
  };
  for (const Side& s : {Side{before, 0}, Side{after, side + cli::kDiffGap}}) {
    const QImage whole = Drawn(s.map).convertToFormat(QImage::Format_RGB32);
    int mismatches = 0;
    for (int cy = 0; cy < region.height(); ++cy)
      for (int cx = 0; cx < region.width(); ++cx) {
        const int mx = region.x() + cx;
        const int my = region.y() + cy;
        const bool onMap = mx < s.map.width;
        const bool changed = !onMap || mx >= before.width ||
                             before.tiles.At(mx, my) != after.tiles.At(mx, my) ||
                             before.overlay.At(mx, my) != after.overlay.At(mx, my);
        for (int py = 0; py < pitch; ++py)
          for (int px = 0; px < pitch; ++px) {
            const QRgb got = picture.pixel(s.left + cx * pitch + px, cy * pitch + py);
            QRgb want = onMap ? whole.pixel(mx * pitch + px, my * pitch + py) : cli::kMissingCell;
            if (changed && OnRing(px, py, pitch, 0)) want = cli::kChangeOuter;
            if (changed && OnRing(px, py, pitch, 1)) want = cli::kChangeInner;
            mismatches += got != want;
          }
      }
    EXPECT_EQ(mismatches, 0) << "side at x " << s.left;
  }
}

TEST_F(CliDiffPicture, EqualMapsOrATooLargeChangeWriteNoPicture) {
  const MapFileContents map = Sample(4, 4);
  const std::string path = WriteMap("m.map", map.tiles, map.overlay);
  EXPECT_EQ(Run({"diff", path, path, "-o", Path("d.png")}).code, 0);
  // Changes at both ends of a long row: two sides of 1100 tiles of 16 pixels.
  const Grid16 row = Grid(1100, 1);
  Grid16 ends = Grid(1100, 1);
  ends.Set(0, 0, 1);
  ends.Set(1099, 0, 1);
  const RunResult r =
      Run({"diff", WriteMap("a.map", row, row), WriteMap("b.map", ends, row), "-o", Path("d.png")});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("35208 x 16 pixels; diff writes at most"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(Path("d.png")));
}

// A sheet of 7 x 4 tiles of 12 pixels, 2 apart after a margin of 3, every pixel its own colour.
QImage OwnSheet() {
  QImage sheet(100, 62, QImage::Format_RGB32);
  for (int y = 0; y < sheet.height(); ++y)
    for (int x = 0; x < sheet.width(); ++x)
      sheet.setPixel(x, y, qRgb((x * 5) % 256, (y * 9) % 256, (x * y) % 256));
  return sheet;
}

// The tile's average computed here from the sheet's layout, independent of the tile rule.
QRgb Average(const QImage& sheet, int tile) {
  const int left = 3 + (tile % 7) * 14;
  const int top = 3 + (tile / 7) * 14;
  int r = 0, g = 0, b = 0;
  for (int y = top; y < top + 12; ++y)
    for (int x = left; x < left + 12; ++x) {
      r += qRed(sheet.pixel(x, y));
      g += qGreen(sheet.pixel(x, y));
      b += qBlue(sheet.pixel(x, y));
    }
  return qRgb((r + 72) / 144, (g + 72) / 144, (b + 72) / 144);
}

TEST_F(CliDiffPicture, OverviewCellsAreTheirTilesAverageColour) {
  const QImage sheet = OwnSheet();
  ASSERT_TRUE(sheet.save(QString::fromStdString(Path("sheet.bmp")), "BMP"));
  Grid16 tiles = Grid(11, 5);
  for (int32_t i = 0; i < 55; ++i) tiles.Cells()[i] = static_cast<int16_t>(i % 31 - 2);
  const std::string map = WriteMap("m.map", tiles, Grid(11, 5));
  for (const int n : {1, 4}) {
    const RunResult r =
        Run({"render", map, "-o", Path("o.png"), "--cell-pixels", std::to_string(n), "--sheet",
             Path("sheet.bmp"), "--tile-size", "12", "--spacing", "2", "--offset", "3"});
    ASSERT_EQ(r.code, 0) << r.err;
    const QImage overview = QImage(QString::fromStdString(Path("o.png")));
    ASSERT_EQ(overview.size(), QSize(11 * n, 5 * n));
    int mismatches = 0;
    for (int y = 0; y < 5 * n; ++y)
      for (int x = 0; x < 11 * n; ++x) {
        const int tile = tiles.At(x / n, y / n);
        const QRgb want = tile >= 0 && tile < 28 ? Average(sheet, tile) : qRgb(0, 0, 0);
        mismatches += overview.pixel(x, y) != want;
      }
    EXPECT_EQ(mismatches, 0) << n;
  }
  for (const char* bad : {"0", "3", "16"})
    EXPECT_EQ(Run({"render", map, "-o", Path("x.png"), "--cell-pixels", bad}).code, 2) << bad;
  EXPECT_EQ(Run({"render", map, "-o", Path("x.png"), "--cell-pixels", "2", "--grid"}).code, 2);
  // A side beyond the image limit is refused, nothing written.
  const RunResult big = Run({"render", WriteMap("wide.map", Grid(4096, 1), Grid(4096, 1)), "-o",
                             Path("x.png"), "--cell-pixels", "8"});
  EXPECT_EQ(big.code, 1);
  EXPECT_NE(big.err.find("32768 x 8 pixels"), std::string::npos) << big.err;
  EXPECT_FALSE(std::filesystem::exists(Path("x.png")));
}

}  // namespace
}  // namespace korvane::clitest
