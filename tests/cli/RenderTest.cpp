#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QImage>
#include <memory>

#include "app/cli/MapRenderer.h"
#include "app/cli/QtServices.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tests/cli/CliFixture.h"
#include "tiles/LoadTiles.h"
#include "toolkit/qt/QtSurface.h"
#include "toolkit/qt/QtToolkit.h"

namespace korvane::clitest {
namespace {

// One QApplication for the whole test program, off screen unless the caller chose a platform.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "korvane_cli";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A map that uses the whole sheet, numbers off it (shown as background) and overlay values from
// one digit to five.
MapFileContents TestMap(int32_t w, int32_t h, int16_t tileCount, bool wideNumbers) {
  MapFileContents map;
  map.width = static_cast<int16_t>(w);
  map.height = static_cast<int16_t>(h);
  map.tiles = Grid(w, h);
  map.overlay = Grid(w, h);
  for (int32_t i = 0; i < w * h; ++i)
    map.tiles.Cells()[i] = static_cast<int16_t>((i * 7 + i / w) % (tileCount + 3) - 1);
  for (int32_t i = 0; i < w * h; i += 5)
    map.overlay.Cells()[i] =
        static_cast<int16_t>(wideNumbers && i % 3 == 0 ? 31000 + i : i % 9 + 1);
  return map;
}

// A sheet picture other than the sample: every pixel its own colour.
std::string WriteSheet(const std::string& path) {
  QImage sheet(100, 62, QImage::Format_RGB32);
  for (int y = 0; y < sheet.height(); ++y)
    for (int x = 0; x < sheet.width(); ++x) sheet.setPixel(x, y, qRgb(x * 2, y * 4, (x * y) % 256));
  EXPECT_TRUE(sheet.save(QString::fromStdString(path), "BMP"));
  return path;
}

struct Settings {
  const char* name;
  int16_t zoom;
  bool grid;
  bool overlay;
  bool ownSheet;
};

class CliRender : public CliTest {
 protected:
  cli::RenderRequest Request(const Settings& s) {
    cli::RenderRequest request;
    request.zoom = s.zoom;
    request.grid = s.grid;
    request.overlay = s.overlay;
    if (s.ownSheet) {
      request.sheetPath = WriteSheet(Path("sheet.bmp"));
      request.sheet = {12, 2, 3};  // 7 x 4 tiles
    }
    return request;
  }

  // The editor as a designer drives it: the sheet through the dialog, the map loaded from its
  // file, then the zoom, grid and mode buttons.
  struct EditorDisplay {
    qt::QtToolkit toolkit{""};
    Editor editor{toolkit};
  };
  std::unique_ptr<EditorDisplay> OpenInEditor(const MapFileContents& map, const Settings& s,
                                              const cli::RenderRequest& request) {
    auto e = std::make_unique<EditorDisplay>();
    e->editor.Start();
    Settle();
    if (s.ownSheet) {
      LoadTiles& dialog = e->editor.loadTiles();
      dialog.Display->SetPicture(e->toolkit.LoadPicture(request.sheetPath));
      dialog.TileSize->SetText("12");
      dialog.TileSpacing->SetText("2");
      dialog.TileOffset->SetText("3");
      EXPECT_TRUE(dialog.OkLoad_Click());
    }
    MapView& view = e->editor.mapView();
    WriteBytes(Path("shown.map"), *SerializeMapFile(map));
    view.LoadMap(Path("shown.map"));
    if (s.zoom == 2) view.MapZoom_Click();
    if (s.grid) view.Grid_Click();
    if (s.overlay) view.MENU_DATA_VIEW_Click();
    Settle();
    return e;
  }

  static QImage Shown(MapView& view) {
    view.Display->Refresh();
    return static_cast<const qt::QtSurface*>(view.Display)->Image();
  }

  static QImage Rendered(const MapFileContents& map, const cli::RenderRequest& request,
                         const cli::RenderLimits& limits = {}) {
    auto result = cli::RenderMapImage(map, request, nullptr, limits);
    EXPECT_TRUE(std::holds_alternative<QImage>(result))
        << (std::holds_alternative<std::string>(result) ? std::get<std::string>(result) : "");
    Settle();
    return std::holds_alternative<QImage>(result) ? std::get<QImage>(result) : QImage();
  }
};

const Settings kSettings[] = {
    {"plain", 1, false, false, false},      {"zoom-grid", 2, true, false, false},
    {"grid-overlay", 1, true, true, false}, {"zoom-overlay", 2, false, true, false},
    {"own-sheet", 1, true, true, true},     {"own-sheet-zoom", 2, false, true, true},
};

// A map that fits one page of the editor's display: the display shows the whole map, and the
// render equals it pixel for pixel, overlay numbers spilling between cells included.
TEST_F(CliRender, MatchesTheEditorsDisplayOfAWholeMap) {
  for (const Settings& s : kSettings) {
    const cli::RenderRequest request = Request(s);
    const MapFileContents map = TestMap(9, 6, s.ownSheet ? 28 : 270, true);
    auto e = OpenInEditor(map, s, request);
    MapView& view = e->editor.mapView();
    ASSERT_GE(view.ViewCols, 9) << s.name;
    ASSERT_GE(view.ViewRows, 6) << s.name;
    const QImage shown = Shown(view);
    // A small page forces many pages, each drawn with its border of neighbours.
    const QImage rendered = Rendered(map, request, {32767, int64_t{1} << 30, 40});
    ASSERT_FALSE(rendered.isNull()) << s.name;
    EXPECT_EQ(rendered.size(), QSize(9 * view.CellTwipsX() / 15, 6 * view.CellTwipsY() / 15));
    EXPECT_EQ(rendered, shown.copy(rendered.rect()).convertToFormat(rendered.format())) << s.name;
    e.reset();
    Settle();
  }
}

// A map wider than the display: the editor's second page is the render's second stretch of
// columns (single-digit numbers, which stay inside their cells).
TEST_F(CliRender, MatchesTheEditorsSecondPage) {
  for (const Settings& s : {kSettings[0], kSettings[2], kSettings[5]}) {
    const cli::RenderRequest request = Request(s);
    auto e = OpenInEditor(TestMap(1, 1, 1, false), s, request);
    MapView& view = e->editor.mapView();
    const int32_t cols = view.CellsAcross(view.Display->ScaleWidth());
    const int32_t rows = view.CellsDown(view.Display->ScaleHeight());
    const MapFileContents map = TestMap(2 * cols + 3, rows, s.ownSheet ? 28 : 270, false);
    WriteBytes(Path("shown.map"), *SerializeMapFile(map));
    view.LoadMap(Path("shown.map"));
    if (s.overlay) view.MENU_DATA_VIEW_Click();  // a load returns to tile mode
    view.HScroll->SetValue(2);
    const QImage shown = Shown(view);
    ASSERT_EQ(view.ViewFirstCol, cols) << s.name;
    const QImage rendered = Rendered(map, request);
    const int32_t pitchX = view.CellTwipsX() / 15;
    const QRect page(0, 0, cols * pitchX, rows * view.CellTwipsY() / 15);
    EXPECT_EQ(rendered.copy(page.translated(cols * pitchX, 0)),
              shown.copy(page).convertToFormat(rendered.format()))
        << s.name;
    e.reset();
    Settle();
  }
}

TEST_F(CliRender, TheCommandWritesThePngAndShowsNoProgressOffATerminal) {
  services_ = cli::MakeQtServices();
  const std::string map = WriteMap("m.map", Grid(5, 4), Grid(5, 4, {0, 3}));
  const RunResult r =
      Run({"render", map, "-o", Path("m.png"), "--zoom", "2", "--grid", "--overlay"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const QImage image(QString::fromStdString(Path("m.png")));
  EXPECT_EQ(image.size(), QSize(5 * 33, 4 * 33));

  WriteText(Path("bad.bmp"), "not a picture");
  // A PNG header announcing 40000 x 40000 pixels: refused by its size, before any decoding.
  const unsigned char huge[] = {
      0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44,
      0x52, 0x00, 0x00, 0x9c, 0x40, 0x00, 0x00, 0x9c, 0x40, 0x08, 0x02, 0x00, 0x00, 0x00, 0xde,
      0x6e, 0x99, 0x52, 0x00, 0x00, 0x00, 0x00, 0x49, 0x44, 0x41, 0x54, 0x35, 0xaf, 0x06, 0x1e,
      0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
  WriteBytes(Path("huge.png"), std::vector<uint8_t>(std::begin(huge), std::end(huge)));
  const std::string sheet = WriteSheet(Path("sheet.bmp"));
  ASSERT_EQ(::mkfifo(Path("fifo.bmp").c_str(), 0644), 0);
  struct Refusal {
    std::vector<std::string> options;
    const char* reason;
  };
  for (const Refusal& c : {
           Refusal{{"--sheet", Path("bad.bmp")}, "cannot read the tile sheet"},
           Refusal{{"--sheet", Path("huge.png")}, "40000 x 40000 pixels, more than the 1024 MiB"},
           Refusal{{"--sheet", Path("fifo.bmp")}, "it is a FIFO (named pipe)"},
           Refusal{{"--sheet", sheet, "--tile-size", "3000"}, "larger than the editor can draw"},
           Refusal{{"--sheet", sheet, "--offset", "200"}, "holds no whole tile"},
           Refusal{{"--overlay", "--catalogue", Path("none.dat")}, "cannot read the catalogue"},
       }) {
    std::vector<std::string> args = {"render", map, "-o", Path("x.png")};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const RunResult r = Run(args);
    EXPECT_EQ(r.code, 1) << c.reason;
    EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(Path("x.png")));
  // An image beyond the pixel limit is refused before anything is drawn.
  auto big = cli::RenderMapImage(TestMap(100, 10, 270, false), Request(kSettings[1]), nullptr,
                                 {3000, 1 << 30, 1024});
  ASSERT_TRUE(std::holds_alternative<std::string>(big));
  EXPECT_NE(std::get<std::string>(big).find("3300 x 330 pixels"), std::string::npos);
  Settle();
}

}  // namespace
}  // namespace korvane::clitest
