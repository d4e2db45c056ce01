// render, its overview, and diff's picture, compared with the editor's own drawing pixel for
// pixel.

#include <sys/stat.h>

#include <QApplication>

#include "model/SampleSheet.h"
#include "render/DiffPicture.h"
#include "render/MapPicture.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tests/cli/CliFixture.h"
#include "tiles/LoadTiles.h"
#include "toolkit/qt/QtImaging.h"
#include "toolkit/qt/QtSurface.h"
#include "toolkit/qt/QtToolkit.h"

namespace korvane::clitest {
namespace {

void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Tiles from all of the sheet and off it (shown as background); overlay values of one digit, or
// up to five when wide, which spill into the neighbouring cells.
MapDocument TestMap(int32_t w, int32_t h, int16_t tileCount, bool wideNumbers) {
  MapDocument map;
  map.MapWidth = int16_t(w);
  map.MapHeight = int16_t(h);
  Grid16 tiles = Grid(w, h);
  map.OverlayData = *OverlayLayer::TryCreate(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      tiles.Set(x, y, static_cast<int16_t>((x * 37 + y * 11) % (tileCount + 3) - 1));
      if ((x * 3 + y * 5) % 7 == 3)
        map.OverlayData.Set(x, y,
                            static_cast<int16_t>(wideNumbers && (x + y) % 2 ? 31000 + x * 10 + y
                                                                            : (x + y) % 9 + 1));
    }
  map.MapTiles = TileLayer(std::move(tiles));
  return map;
}

// 7 x 4 tiles of 12 pixels, 2 apart after a margin of 3; every pixel its own colour.
QImage OwnSheet(const std::string& path) {
  QImage sheet(100, 62, QImage::Format_RGB32);
  for (int y = 0; y < sheet.height(); ++y)
    for (int x = 0; x < sheet.width(); ++x) sheet.setPixel(x, y, qRgb(x * 2, y * 4, (x * y) % 256));
  EXPECT_TRUE(sheet.save(QString::fromStdString(path), "BMP"));
  return sheet;
}

// How a test draws a map: the sheet (empty for the sample sheet), its settings, zoom, grid and
// overlay mode.
struct Look {
  std::string sheetPath;
  SheetSettings settings;
  int16_t zoom;
  bool grid, overlay;
};

// The cells of `region` (the whole map when empty) drawn as render draws them.
QImage Rendered(const MapDocument& map, const Look& look, const PictureLimits& limits = {},
                CellRect region = {}) {
  qt::QtImaging imaging;
  std::string why;
  const MapPictureStyle style{look.sheetPath.empty() ? imaging.PictureFromImage(MakeSampleSheet())
                                                     : imaging.LoadPicture(look.sheetPath, why),
                              look.settings, look.zoom, look.grid, look.overlay};
  const auto surface = imaging.CreateImageSurface();
  const auto picture = std::get<MapPicture>(MapPicture::Prepare(*surface, style));
  if (region.width == 0) region = {0, 0, map.MapWidth, map.MapHeight};
  EXPECT_EQ(picture.Draw(map, region, limits, "render", nullptr), std::nullopt);
  const toolkit::PixelRows<uint32_t> pixels = surface->Pixels();
  return QImage(reinterpret_cast<const uchar*>(pixels.bits), pixels.width, pixels.height,
                pixels.stride * 4, QImage::Format_RGB32)
      .copy();
}

class CliRender : public CliTest {
 protected:
  CliRender() { imaging_ = &qtImaging_; }
  qt::QtImaging qtImaging_;
};

// The editor as a designer drives it (the sheet through its dialog, the map loaded from its
// file, then the zoom, grid and mode buttons) shows the whole map; the render, drawn in strips of
// one or two rows, equals it pixel for pixel, overlay numbers spilling across the strips' seams
// included.
TEST_F(CliRender, MatchesTheEditorsDisplay) {
  OwnSheet(Path("sheet.bmp"));
  for (const Look& request : {
           Look{"", {}, 1, false, false},
           {"", {}, 2, true, false},
           {"", {}, 1, true, true},
           {"", {}, 2, false, true},
           {Path("sheet.bmp"), {12, 2, 3}, 1, true, true},
           {Path("sheet.bmp"), {12, 2, 3}, 2, false, true},
       }) {
    const bool ownSheet = !request.sheetPath.empty();
    const MapDocument map = TestMap(9, 6, ownSheet ? 28 : 270, true);
    qt::QtToolkit toolkit("");
    auto editor = std::make_unique<Editor>(toolkit);
    editor->Start();
    Settle();
    if (ownSheet) {
      LoadTiles& dialog = editor->loadTiles();
      dialog.Display->SetPicture(toolkit.LoadPicture(request.sheetPath));
      dialog.TileSize->SetText("12");
      dialog.TileSpacing->SetText("2");
      dialog.TileOffset->SetText("3");
      ASSERT_TRUE(dialog.OkLoad_Click());
    }
    MapView& view = editor->mapView();
    WriteBytes(Path("shown.map"), *SerializeMapFile(map));
    view.LoadMap(Path("shown.map"));
    if (request.zoom == 2) view.MapZoom_Click();
    if (request.grid) view.Grid_Click();
    if (request.overlay) view.MENU_DATA_VIEW_Click();
    Settle();
    view.Display->Refresh();
    const QImage shown = static_cast<const qt::QtSurface*>(view.Display)->Image();
    const QImage rendered = Rendered(map, request, {32767, int64_t{1} << 30, 40});
    EXPECT_EQ(rendered.size(), QSize(9 * view.CellTwipsX() / 15, 6 * view.CellTwipsY() / 15))
        << request.zoom << request.grid << request.overlay << ownSheet;
    EXPECT_EQ(rendered, shown.copy(rendered.rect()).convertToFormat(rendered.format()));
    editor.reset();
    Settle();
  }
}

// Tiles of one pixel let a map of 20000 rows fit an image; every row is drawn, however far down
// its page lies.
TEST_F(CliRender, EveryRowOfATallMapIsDrawn) {
  const QImage sheet = OwnSheet(Path("sheet.bmp"));
  MapDocument map = TestMap(1, 20000, 0, false);
  for (int16_t y = 0; y < 20000; ++y) map.MapTiles.Set(0, y, static_cast<int16_t>(y % 100));
  const QImage image = Rendered(map, {Path("sheet.bmp"), {1, 0, 0}, 1, false, false});
  int mismatches = 0;
  for (int y = 0; y < 20000; ++y) mismatches += image.pixel(0, y) != sheet.pixel(y % 100, 0);
  EXPECT_EQ(mismatches, 0);
}

TEST_F(CliRender, TheCommandWritesThePngOrSaysWhyNot) {
  WriteMap("m.map", Grid(5, 4), Grid(5, 4, {0, 3}));
  // No progress off a terminal.
  EXPECT_EQ(Line("render @m.map -o @m.png --zoom=2 --grid --overlay").err, "");
  EXPECT_EQ(QImage(QString::fromStdString(Path("m.png"))).size(), QSize(5 * 33, 4 * 33));
  EXPECT_TRUE(Line("render @m.map -o @m.png", true).err.ends_with("render: 100%\n"));
  // Drawn in strips of 1024 pixel rows: a picture of whole strips ends at 100 % as one of a
  // strip and a row does.
  for (const int32_t rows : {64, 65}) {
    WriteMap("tall.map", Grid(1, rows), Grid(1, rows));
    EXPECT_TRUE(Line("render @tall.map -o @tall.png", true).err.ends_with("render: 100%\n"))
        << rows;
  }

  WriteText(Path("bad.bmp"), "not a picture");
  // A PNG header announcing 40000 x 40000 pixels: refused by its size, before any decoding.
  const char huge[] =
      "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x9c\x40\0\0\x9c\x40\x08\x02\0\0\0\xde\x6e\x99\x52\0\0\0"
      "\0IDAT\x35\xaf\x06\x1e\0\0\0\0IEND\xae\x42\x60\x82";
  WriteText(Path("huge.png"), std::string(huge, sizeof huge - 1));
  OwnSheet(Path("sheet.bmp"));
  ASSERT_EQ(::mkfifo(Path("fifo.bmp").c_str(), 0644), 0);
  WriteMap("wide.map", Grid(2000, 1), Grid(2000, 1));
  for (const auto& [line, reason] : {
           std::pair{"@m.map --sheet @bad.bmp", "cannot read the tile sheet"},
           {"@m.map --sheet @huge.png", "40000 x 40000 pixels, more than the 1024 MiB"},
           {"@m.map --sheet @fifo.bmp", "it is a FIFO (named pipe)"},
           {"@m.map --sheet @sheet.bmp --tile-size 2185", "larger than the editor can draw"},
           {"@m.map --sheet @sheet.bmp --offset 200", "holds no whole tile"},
           {"@m.map --overlay --catalogue @none.dat", "cannot read the catalogue"},
           // From the map's header, before anything is drawn.
           {"@wide.map --zoom 2", "The image would be 64000 x 32 pixels"},
       })
    ExpectRefused("render -o @x.png " + std::string(line), 1, reason);
  EXPECT_FALSE(std::filesystem::exists(Path("x.png")));
}

// Each side of the picture is the editor's drawing of the same cells, pixel for pixel, except
// the two outline rings of every changed cell; cells only the other map has are dark grey. The
// region reaches two columns past the old map's right edge, where its drawing shows nothing.
TEST_F(CliRender, DiffPictureSidesAreTheEditorsDrawingWithChangedCellsOutlined) {
  const MapDocument before = TestMap(12, 9, 270, false);
  MapDocument after = TestMap(14, 9, 270, false);  // two columns wider
  after.MapTiles.Set(5, 4, 3);
  after.OverlayData.Set(4, 2, 7);
  WriteMap("old.map", before.MapTiles.Tiles(), before.OverlayData);
  WriteMap("new.map", after.MapTiles.Tiles(), after.OverlayData);
  // Cells of one pixel are all ring: the changed cell (5, 4) is one pixel of the outer colour.
  ASSERT_EQ(
      Line("diff @old.map @new.map -o @p.png --context 0 --tile-size 1 --spacing 0 --offset 200")
          .code,
      1);
  EXPECT_EQ(QImage(QString::fromStdString(Path("p.png"))).pixel(1, 4), kChangeOuter);
  ASSERT_EQ(Line("diff @old.map @new.map -o @d.png --context 1").code, 1);
  const QImage picture =
      QImage(QString::fromStdString(Path("d.png"))).convertToFormat(QImage::Format_RGB32);
  // Changes span columns 4..13; one cell of context adds column 3.
  const int pitch = 16;  // the sample sheet's tiles
  const int side = 11 * pitch;
  ASSERT_EQ(picture.size(), QSize(2 * side + kDiffGap, 9 * pitch));
  EXPECT_EQ(picture.pixel(side + kDiffGap / 2, 5), kDiffGapColour);
  for (const auto& [map, left] : {std::pair{&before, 0}, {&after, side + kDiffGap}}) {
    const QImage whole = Rendered(*map, {"", {}, 1, false, true});
    const QImage region = Rendered(*map, {"", {}, 1, false, true}, {}, {3, 0, 11, 9});
    int mismatches = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < side; ++x) {
        const int mx = 3 + x / pitch, my = y / pitch, px = x % pitch, py = y % pitch;
        const int ring = std::min({px, py, pitch - 1 - px, pitch - 1 - py});
        const bool changed = mx >= before.MapWidth ||
                             before.MapTiles.At(mx, my) != after.MapTiles.At(mx, my) ||
                             before.OverlayData.At(mx, my) != after.OverlayData.At(mx, my);
        const QRgb drawn = mx < map->MapWidth ? whole.pixel(x + 3 * pitch, y) : qRgb(0, 0, 0);
        mismatches += region.pixel(x, y) != drawn;
        QRgb want = mx < map->MapWidth ? drawn : kMissingCell;
        if (changed && ring < 2) want = ring == 0 ? kChangeOuter : kChangeInner;
        mismatches += picture.pixel(left + x, y) != want;
      }
    EXPECT_EQ(mismatches, 0) << "side at x " << left;
  }
  // A change away from the edges: the picture is the changed cell and its context only.
  MapDocument one = TestMap(12, 9, 270, false);
  one.MapTiles.Set(5, 4, 3);
  WriteMap("one.map", one.MapTiles.Tiles(), one.OverlayData);
  ASSERT_EQ(Line("diff @old.map @one.map -o @o.png --context 1").code, 1);
  EXPECT_EQ(QImage(QString::fromStdString(Path("o.png"))).size(),
            QSize(2 * 3 * pitch + kDiffGap, 3 * pitch));
  // A row more: the old side has no cell there; progress runs over both sides.
  const MapDocument taller = TestMap(12, 10, 270, false);
  WriteMap("tall.map", taller.MapTiles.Tiles(), taller.OverlayData);
  EXPECT_TRUE(
      Line("diff @old.map @tall.map -o @t.png --context 0", true).err.ends_with("diff: 100%\n"));
  const QImage row = QImage(QString::fromStdString(Path("t.png")));
  ASSERT_EQ(row.size(), QSize(2 * 12 * pitch + kDiffGap, pitch));
  EXPECT_EQ(row.pixel(pitch / 2, pitch / 2), kMissingCell);
  // Blank maps, the new one a column wider: that column is outlined on both sides, each cell of
  // it, though the cell after a row's end is the next row's first, which is alike.
  WriteMap("two.map", Grid(2, 2), Grid(2, 2));
  WriteMap("three.map", Grid(3, 2), Grid(3, 2));
  ASSERT_EQ(Line("diff @two.map @three.map -o @w.png --context 0 --tile-size 1 --spacing 0 "
                 "--offset 200")
                .code,
            1);
  const QImage column(QString::fromStdString(Path("w.png")));
  ASSERT_EQ(column.size(), QSize(2 + kDiffGap, 2));
  for (const int x : {0, 1 + kDiffGap})
    for (const int y : {0, 1}) EXPECT_EQ(column.pixel(x, y), kChangeOuter) << x << "," << y;
  // A sheet of the user's own: its tiles set the cell size.
  OwnSheet(Path("sheet.bmp"));
  ASSERT_EQ(Line("diff @old.map @new.map -o @s.png --context 1 --sheet @sheet.bmp --tile-size 12 "
                 "--spacing 2 --offset 3")
                .code,
            1);
  EXPECT_EQ(QImage(QString::fromStdString(Path("s.png"))).size(),
            QSize(2 * 11 * 12 + kDiffGap, 9 * 12));
  // Equal maps, or a change too large to draw, write no picture.
  EXPECT_EQ(Line("diff @old.map @old.map -o @e.png").code, 0);
  Grid16 ends = Grid(1100, 1, {1});
  ends.Set(1099, 0, 1);
  WriteMap("a.map", Grid(1100, 1), Grid(1100, 1));
  WriteMap("b.map", ends, Grid(1100, 1));
  const RunResult big = Line("diff @a.map @b.map -o @e.png");  // the text is written all the same
  EXPECT_EQ(big.code, 2);
  EXPECT_NE(big.err.find("35208 x 16 pixels; diff writes at most"), std::string::npos) << big.err;
  EXPECT_FALSE(std::filesystem::exists(Path("e.png")));
}

// The tile's average computed here from the sheet's layout, independent of the tile rule.
QRgb Average(const QImage& sheet, int tile) {
  const QImage pixels = sheet.copy(3 + tile % 7 * 14, 3 + tile / 7 * 14, 12, 12);
  int r = 0, g = 0, b = 0;
  for (int i = 0; i < 144; ++i) {
    r += qRed(pixels.pixel(i % 12, i / 12));
    g += qGreen(pixels.pixel(i % 12, i / 12));
    b += qBlue(pixels.pixel(i % 12, i / 12));
  }
  return qRgb((r + 72) / 144, (g + 72) / 144, (b + 72) / 144);
}

TEST_F(CliRender, OverviewCellsAreTheirTilesAverageColour) {
  const QImage sheet = OwnSheet(Path("sheet.bmp"));
  const Grid16 tiles = TestMap(11, 5, 28, false).MapTiles.Tiles();
  WriteMap("m.map", tiles, Grid(11, 5));
  // Every cell 4 x 4 pixels of one colour.
  Line(
      "render @m.map -o @o.png --cell-pixels 4 --sheet @sheet.bmp --tile-size 12 --spacing 2 "
      "--offset 3");
  const QImage overview = QImage(QString::fromStdString(Path("o.png")));
  ASSERT_EQ(overview.size(), QSize(44, 20));
  int mismatches = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 44; ++x) {
      const int tile = tiles.At(x / 4, y / 4);
      mismatches +=
          overview.pixel(x, y) != (tile >= 0 && tile < 28 ? Average(sheet, tile) : qRgb(0, 0, 0));
    }
  EXPECT_EQ(mismatches, 0);
  // A picture one pixel high.
  WriteMap("row.map", Grid(3, 1, {2, 5, 7}), Grid(3, 1));
  Line(
      "render @row.map -o @r.png --cell-pixels 1 --sheet @sheet.bmp --tile-size 12 --spacing 2 "
      "--offset 3");
  const QImage row = QImage(QString::fromStdString(Path("r.png")));
  ASSERT_EQ(row.size(), QSize(3, 1));
  EXPECT_EQ(row.pixel(2, 0), Average(sheet, 7));
  WriteMap("wide.map", Grid(4096, 1), Grid(4096, 1));
  ExpectRefused("render @wide.map -o @x.png --cell-pixels 8", 1, "32768 x 8 pixels");
}

}  // namespace
}  // namespace korvane::clitest

// One application for every command-line test, off screen: render and the editor draw with Qt.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
