#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QTimer>
#include <QtTest/QTest>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <tuple>

#include "document/CaptionRule.h"
#include "ops/Overview.h"
#include "overview/Overview.h"
#include "tests/support/EditorFixture.h"
#include "tiles/TileView.h"
#include "toolkit/qt/QtControls.h"
#include "toolkit/qt/QtFileFilter.h"
#include "toolkit/qt/QtImaging.h"
#include "toolkit/qt/QtPicture.h"
#include "toolkit/qt/QtSurface.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtUnits.h"
#include "toolkit/qt/QtWindow.h"

// What only the real windows show: the regions each change sends to the screen, the menus, and
// the modal message box. (The pixels of the editor's display are compared with korvane-cli's
// picture in tests/cli.)

namespace korvane::qt {
namespace {

using Rects = std::vector<QRegion>;
using toolkit::MessageButtons;

// The regions of the paint events a widget receives while `act` and the work it queues run.
Rects Painted(QWidget* widget, const std::function<void()>& act) {
  struct Recorder : QObject {
    Rects regions;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint)
        regions.push_back(static_cast<QPaintEvent*>(event)->region());
      return false;
    }
  } recorder;
  widget->installEventFilter(&recorder);
  act();
  for (int round = 0; round < 2; ++round) QCoreApplication::processEvents();  // queued paints
  return recorder.regions;
}

// The editor with its command line naming the 40 x 30 demo map: the first paint loads it and
// applies the sample sheet.
class EditorOnQt : public ::testing::Test {
 protected:
  EditorOnQt() {
    editor.Start();
    // On a busy machine the first paint, which loads the map, may take more than a turn or two.
    if (!QTest::qWaitFor([&] { return view.Map.MapWidth > 0 && editor.Global().TileSize > 0; },
                         20000))
      ADD_FAILURE() << "the demo map was not shown";
    for (int round = 0; round < 2; ++round) QCoreApplication::processEvents();  // its paints
  }
  // The pixels of display cell (c, r)'s tile.
  QRect Cell(int c, int r) {
    const double t = view.MapZoomFactor * editor.Global().TileTwipsX, tpp = ScreenTwipsPerPixelX();
    return TwipsToPixelRect(c * view.CellTwipsX(), r * view.CellTwipsY(), t, t, tpp, tpp);
  }
  QtToolkit tk{KORVANE_DEMO_MAP, testing_support::FreshFolder()};
  Editor editor{tk};
  MapView& view = editor.mapView();
  QWidget* display = static_cast<QtSurface*>(view.Display)->widget();
  QWidget* palette = static_cast<QtSurface*>(editor.tileView().Display)->widget();
};

// A press sends only the rectangle it redrew (in the palette the frames too, cut at the surface's
// edge); paging and zooming send the whole display.
TEST_F(EditorOnQt, SendsOnePaintPerChangeAndOnlyTheRedrawnRectangle) {
  QScrollBar* hscroll = static_cast<QtScrollBar*>(view.HScroll)->widget();
  const auto click = [](QWidget* w, QPoint at) { QTest::mouseClick(w, Qt::LeftButton, {}, at); };
  const Rects all{display->rect()};
  EXPECT_EQ(Painted(palette, [&] { click(palette, {8, 8}); }), (Rects{QRect(0, 0, 17, 17)}));
  // Tile 19 and the frame taken off tile 0.
  EXPECT_EQ(Painted(palette, [&] { click(palette, {26, 26}); }), (Rects{QRect(0, 0, 35, 35)}));
  for (const auto& [c, r] : {std::pair{2, 1}, {0, 0}})
    EXPECT_EQ(Painted(display, [&] { click(display, Cell(c, r).center()); }), (Rects{Cell(c, r)}));
  // One page along with the scroll bar; then the zoom.
  EXPECT_EQ(Painted(display, [&] { click(hscroll, {hscroll->width() * 3 / 4, 5}); }), all);
  EXPECT_EQ(Painted(display, [&] { view.MapZoom_Click(); }), all);
  EXPECT_EQ(Painted(display, [&] { click(display, Cell(0, 3).center()); }), (Rects{Cell(0, 3)}));
}

// The overview, opened from the menu, shows each cell of the demo map in its tile's average
// colour, 6 pixels a cell; a press on the last cell shows the last page.
TEST_F(EditorOnQt, OverviewShowsTheMapAndAPressPagesTheDisplay) {
  QWidget* top = static_cast<QtWindow*>(view.window.get())->TopLevel();
  EXPECT_EQ(top->windowTitle().toStdString(), MapCaption(KORVANE_DEMO_MAP));  // the map loaded
  for (QAction* action : top->findChildren<QAction*>())
    if (action->text() == "&Overview") action->trigger();
  for (int round = 0; round < 2; ++round) QCoreApplication::processEvents();
  auto* surface = static_cast<QtSurface*>(editor.overview()->Display);
  const MapGlobal& g = editor.Global();
  const auto sheet = PicturePixels(*g.TileSheet);
  const auto colours = AverageTileColours(
      sheet,
      LayOutSheetPixels(sheet.width, sheet.height, {g.TileSize, g.TileSpacing, g.TileOffset}));
  for (int y = 0; y < 30; ++y)  // pixel (2, 2) of each cell: off the frame and the dots
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(surface->Image().pixel(x * 6 + 2, y * 6 + 2), colours[view.Map.MapTiles.At(x, y)]);
  QTest::mouseClick(surface->widget(), Qt::LeftButton, {}, QPoint(39 * 6 + 3, 29 * 6 + 3));
  EXPECT_EQ(view.HScroll->Value(), view.HScroll->Max());
  EXPECT_EQ(view.VScroll->Value(), view.VScroll->Max());
  top->close();
  EXPECT_EQ(editor.overview(), nullptr);
}

// The real window on the demo map (40 x 30): each entry of the "Symmetry" menu, chosen through
// the menu, marks itself alone; a click then paints the cell and its images with a tile of its
// own, and the display shows the images' tiles as the clicked one's and the axes as dotted lines
// (the vertical one down the left edge of column 20, the horizontal one along the top of row 15).
TEST_F(EditorOnQt, SymmetryMenuPaintsTheImagesAndShowsTheAxes) {
  ASSERT_EQ(std::pair(view.Map.MapWidth, view.Map.MapHeight),
            (std::pair<int16_t, int16_t>(40, 30)));
  ASSERT_TRUE(view.ViewCols > 21 && view.ViewRows > 16 && view.ViewFirstCol == 0);
  auto* main = qobject_cast<QMainWindow*>(static_cast<QtWindow*>(view.window.get())->TopLevel());
  ASSERT_NE(main, nullptr);
  QList<QAction*> menus = main->menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[2]->text(), QString("&Symmetry"));  // after "T&ools"
  const QList<QAction*> entries = menus[2]->menu()->actions();
  ASSERT_EQ(entries.size(), 5);
  EXPECT_TRUE(entries[0]->isChecked());

  const QRgb axis = qRgb(0, 0, 192);
  const auto dotted = [&](const QImage& shown, bool down, int at) {
    for (int i = 0; i < 2 * 15; i += 2)
      if (shown.pixel(down ? at : i, down ? i : at) != axis) return false;
    return true;
  };
  const int across = Cell(20, 0).left(), along = Cell(0, 15).top();
  for (int mode = 1; mode <= 4; ++mode) {
    SCOPED_TRACE(mode);
    entries[mode]->trigger();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(entries[i]->isChecked(), i == mode);
    QTest::mouseClick(palette, Qt::LeftButton, {}, {8 + 17 * (5 + mode), 8 + 17 * 2});
    QTest::mouseClick(display, Qt::LeftButton, {}, Cell(18, 13).center());
    QCoreApplication::processEvents();
    const QImage shown = display->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage painted = shown.copy(Cell(18, 13));
    const auto s = static_cast<Symmetry>(mode);
    for (const CellXY& image : ImagesOf(s, 40, 30, 18, 13)) {
      EXPECT_EQ(view.Map.MapTiles.At(image.x, image.y), view.Map.MapTiles.At(18, 13));
      EXPECT_EQ(shown.copy(Cell(image.x, image.y)), painted) << image.x << "," << image.y;
    }
    EXPECT_EQ(ImagesOf(s, 40, 30, 18, 13).count, s == Symmetry::FourWay ? 4 : 2);
    EXPECT_EQ(dotted(shown, true, across), HasVerticalAxis(s));
    EXPECT_EQ(dotted(shown, false, along), HasHorizontalAxis(s));
  }
  entries[0]->trigger();
  const QImage off = display->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_FALSE(dotted(off, true, across) || dotted(off, false, along));
}

// A picture whose every pixel has a colour of its own, copied into a surface of 100 x 80 pixels
// (rectangles in pixels here, passed in twips): a plain copy and the doubled copy of zoom 2 put
// each source pixel where it belongs and nothing outside the destination, up to the surface's
// last pixel; past the edge, or from past the picture's edge, only the part inside is copied;
// an empty rectangle copies nothing.
TEST(QtSurface, CopiesEachPixelOfTheSourceToItsPlaceInTheDestination) {
  QImage sheet(40, 30, QImage::Format_RGB32);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) sheet.setPixel(x, y, qRgb(x * 6, y * 8, 77));
  const QtPicture picture(sheet);
  QtToolkit tk("");
  const auto window = tk.CreateWindow(toolkit::WindowKind::FixedTool, "Copies", 1500, 1200);
  auto* surface = static_cast<QtSurface*>(window->AddSurface({0, 0, 1500, 1200}));
  surface->SetBackColor(toolkit::Rgb(0, 0, 0));
  const QRect rows[][2] = {{{0, 0, 16, 16}, {17, 0, 16, 16}},    {{10, 20, 32, 32}, {3, 5, 16, 16}},
                           {{84, 64, 16, 16}, {24, 14, 16, 16}}, {{68, 48, 32, 32}, {0, 0, 16, 16}},
                           {{90, 70, 32, 32}, {0, 0, 16, 16}},   {{-6, -4, 16, 16}, {0, 0, 16, 16}},
                           {{0, 0, 16, 16}, {30, 20, 16, 16}},   {{5, 5, 0, 16}, {0, 0, 16, 16}}};
  for (size_t i = 0; i < std::size(rows); ++i) {
    const auto& [to, from] = rows[i];
    surface->Refresh();
    surface->PaintPicture(picture, to.x() * 15.0f, to.y() * 15.0f, to.width() * 15.0f,
                          to.height() * 15.0f, from.x() * 15.0f, from.y() * 15.0f,
                          from.width() * 15.0f, from.height() * 15.0f);
    QImage expected(100, 80, QImage::Format_RGB32);
    expected.fill(Qt::black);
    for (int y = std::max(0, to.top()); y <= std::min(79, to.bottom()); ++y)
      for (int x = std::max(0, to.left()); x <= std::min(99, to.right()); ++x) {
        const QPoint at = from.topLeft() + QPoint((x - to.x()) * from.width() / to.width(),
                                                  (y - to.y()) * from.height() / to.height());
        if (sheet.rect().contains(at)) expected.setPixel(x, y, sheet.pixel(at));
      }
    EXPECT_EQ(surface->Image().convertToFormat(QImage::Format_RGB32), expected) << i;
  }
}

// A surface made smaller keeps what it shows; one made larger in either direction starts from the
// background, to be drawn again.
TEST(QtSurface, ShrinkingKeepsTheDrawingGrowingClearsIt) {
  QtToolkit tk("");
  const auto window = tk.CreateWindow(toolkit::WindowKind::FixedTool, "Sizes", 3000, 3000);
  auto* surface = static_cast<QtSurface*>(window->AddSurface({0, 0, 1500, 1500}));
  surface->SetBackColor(toolkit::Rgb(0, 0, 0));
  const std::array<float, 3> sizes[] = {
      {1500, 1200, 1}, {1200, 1200, 1}, {1200, 1500, 0}, {1500, 1500, 0}, {1200, 1200, 1}};
  for (const auto& [w, h, kept] : sizes) {
    surface->FilledBox(0, 0, 3000, 3000, toolkit::Rgb(255, 0, 0));
    surface->SetPlace({0, 0, w, h});
    EXPECT_EQ(std::tuple(surface->Image().width(), surface->Image().pixel(0, 0)),
              std::tuple(int(w / 15), kept ? qRgb(255, 0, 0) : qRgb(0, 0, 0)))
        << w << " " << h;
  }
}

// A box's own picture stays at its top left over the back colour whenever the box is cleared;
// taking the picture away leaves the back colour alone.
TEST(QtSurface, ItsOwnPictureIsDrawnBackWhenCleared) {
  QImage own(4, 3, QImage::Format_RGB32);
  own.fill(qRgb(10, 200, 30));
  QtToolkit tk("");
  const auto window = tk.CreateWindow(toolkit::WindowKind::FixedTool, "Own", 1500, 1200);
  auto* surface = static_cast<QtSurface*>(window->AddSurface({0, 0, 1500, 1200}));
  surface->SetBackColor(toolkit::Rgb(0, 0, 0));
  const auto shown = [&] {
    const QImage& image = surface->Image();
    return std::tuple(image.pixel(0, 0), image.pixel(3, 2), image.pixel(4, 2), image.pixel(3, 3));
  };
  const auto green = qRgb(10, 200, 30), black = qRgb(0, 0, 0);
  surface->SetPicture(std::make_shared<QtPicture>(own));
  EXPECT_EQ(shown(), std::tuple(green, green, black, black));
  surface->FilledBox(0, 0, 1500, 1200, toolkit::Rgb(255, 0, 0));
  surface->Refresh();
  EXPECT_EQ(shown(), std::tuple(green, green, black, black));
  surface->SetPicture(nullptr);
  EXPECT_EQ(shown(), std::tuple(black, black, black, black));
}

// A drawing asks to be shown once control is back in the event loop; by then its window may be
// gone.
TEST(QtSurface, AShowAskedForBeforeTheWindowIsGoneDoesNothing) {
  QtToolkit tk("");
  auto window = tk.CreateWindow(toolkit::WindowKind::FixedTool, "Gone", 1500, 1200);
  window->AddSurface({0, 0, 1500, 1200})->FilledBox(0, 0, 150, 150, toolkit::Rgb(1, 2, 3));
  window.reset();
  for (int round = 0; round < 2; ++round) QCoreApplication::processEvents();
}

// A surface that is asked to paint while its window is hidden paints once, when it is shown.
TEST(QtSurface, AHiddenSurfacePaintsWhenShown) {
  QtToolkit tk("");
  const auto window = tk.CreateWindow(toolkit::WindowKind::FixedTool, "Later", 1500, 1200);
  toolkit::Surface* surface = window->AddSurface({0, 0, 1500, 1200});
  int paints = 0;
  surface->onPaint = [&] { ++paints; };
  surface->SetBackColor(toolkit::Rgb(1, 2, 3));
  surface->SetPicture(nullptr);
  for (int round = 0; round < 2; ++round) QCoreApplication::processEvents();
  EXPECT_EQ(paints, 0);
  window->SetVisible(true);
  for (int round = 0; round < 2; ++round) QCoreApplication::processEvents();
  EXPECT_EQ(paints, 1);
}

// Presses, moves and releases reach the handlers with the editor's button and shift numbers (1
// left, 2 right, 4 middle; Shift 1, Ctrl 2, Alt 4, added together) and the place in twips; a
// press or release of a button the editor has no number for is not heard.
TEST(QtSurface, MouseEventsCarryTheButtonShiftAndPlaceInTwips) {
  QtToolkit tk("");
  const auto window = tk.CreateWindow(toolkit::WindowKind::FixedTool, "Mouse", 1500, 1200);
  auto* surface = static_cast<QtSurface*>(window->AddSurface({0, 0, 1500, 1200}));
  std::vector<std::string> heard;
  const auto record = [&](char kind) {
    return [&heard, kind](int16_t button, int16_t shift, float x, float y) {
      heard.push_back(std::string(1, kind) + std::to_string(button) + std::to_string(shift) + " " +
                      std::to_string(std::lround(x)) + "," + std::to_string(std::lround(y)));
    };
  };
  surface->onMouseDown = record('d');
  surface->onMouseMove = record('m');
  surface->onMouseUp = record('u');
  const auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                        Qt::KeyboardModifiers keys) {
    QMouseEvent event(type, QPointF(10, 7), surface->widget()->mapToGlobal(QPointF(10, 7)), button,
                      held, keys);
    QCoreApplication::sendEvent(surface->widget(), &event);
  };
  const std::string at = " " + std::to_string(std::lround(10 * ScreenTwipsPerPixelX())) + "," +
                         std::to_string(std::lround(7 * ScreenTwipsPerPixelY()));
  using enum Qt::MouseButton;
  for (const auto& [button, keys, code] :
       std::vector<std::tuple<Qt::MouseButton, Qt::KeyboardModifiers, std::string>>{
           {LeftButton, Qt::NoModifier, "10"},
           {RightButton, Qt::ShiftModifier, "21"},
           {MiddleButton, Qt::ControlModifier, "42"},
           {LeftButton, Qt::AltModifier, "14"},
           {RightButton, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, "27"},
       }) {
    heard.clear();
    send(QEvent::MouseButtonPress, button, button, keys);
    send(QEvent::MouseMove, NoButton, button | LeftButton | MiddleButton, keys);
    send(QEvent::MouseButtonRelease, button, NoButton, keys);
    const std::string held = button == RightButton ? "7" : "5";
    EXPECT_EQ(heard, (std::vector<std::string>{"d" + code + at, "m" + held + code.substr(1) + at,
                                               "u" + code + at}));
  }
  heard.clear();
  send(QEvent::MouseButtonPress, BackButton, BackButton, Qt::NoModifier);
  send(QEvent::MouseButtonRelease, ForwardButton, NoButton, Qt::NoModifier);
  send(QEvent::MouseMove, NoButton, NoButton, Qt::NoModifier);
  EXPECT_EQ(heard, std::vector<std::string>{"m00" + at});
}

// Each box is modal: it is read and answered from the event loop it runs. A message box answers
// with the button pressed, or, closed without one, No (Yes/No) or Cancel (Yes/No/Cancel); an input
// box gives the typed text, or nothing when cancelled. The title is the one given, else "Korvane".
TEST(QtToolkit, BoxesAreModalAndAnswerWithTheButtonPressed) {
  using B = QMessageBox::StandardButton;
  QtToolkit tk("");
  const auto ask = [&tk](char kind, const char* title) -> std::string {
    const char* const results[] = {"Yes", "No", "Cancel"};
    if (kind == 'i') return tk.InputBox("Width:", title);
    if (kind == 'f') return tk.ReportFailure("It failed."), "";
    const auto buttons = kind == 'y' ? MessageButtons::YesNo : MessageButtons::YesNoCancel;
    return results[static_cast<int>(tk.MessageBox("Sure?", buttons, title))];
  };
  // kind: y a Yes/No box, c a Yes/No/Cancel box, i an input box, f a failure reported.
  // clang-format off
  struct Row { char kind; B press; const char* title; std::string expected; };
  for (const Row& r : {Row{'y', B::Yes, "", "Korvane|Sure?|YesNo|Yes"},
                       {'y', B::No, "", "Korvane|Sure?|YesNo|No"},
                       {'y', B::NoButton, "", "Korvane|Sure?|YesNo|No"},
                       {'c', B::No, "", "Korvane|Sure?|YesNoCancel|No"},
                       {'c', B::Cancel, "", "Korvane|Sure?|YesNoCancel|Cancel"},
                       {'c', B::NoButton, "", "Korvane|Sure?|YesNoCancel|Cancel"},
                       {'c', B::Yes, "Save", "Save|Sure?|YesNoCancel|Yes"},
                       {'i', B::Ok, "New Map", "New Map|Width:|12"},
                       {'i', B::NoButton, "", "Korvane|Width:|"},
                       {'f', B::Ok, "", "Korvane|It failed.|Ok warning|"}}) {
    // clang-format on
    std::string shown;
    QObject scope;  // a timer that never found a box dies with the row
    QTimer::singleShot(0, &scope, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      shown = modal ? modal->windowTitle().toStdString() + "|" : "";
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        shown += box->text().toStdString() + "|";
        for (auto [b, name] :
             {std::pair{B::Yes, "Yes"}, {B::No, "No"}, {B::Cancel, "Cancel"}, {B::Ok, "Ok"}})
          shown += box->button(b) ? name : "";
        shown += box->icon() == QMessageBox::Warning ? " warning" : "";
        r.press == B::NoButton ? box->reject() : box->button(r.press)->click();
      } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
        shown += input->labelText().toStdString();
        input->setTextValue("12");
        r.press == B::Ok ? input->accept() : input->reject();
      }
    });
    const std::string answer = ask(r.kind, r.title);
    EXPECT_EQ(shown + "|" + answer, r.expected);
  }
}

// A save dialog confirms overwriting a file only when asked to; an open dialog insists on an
// existing file only when asked to. Cancelled, either gives no name.
TEST(QtToolkit, FileDialogsAskWhatTheRequestAsks) {
  using Mode = toolkit::FileDialogMode;
  QtToolkit tk("");
  // clang-format off
  struct Row { Mode mode; int32_t flags; std::string expected; };
  // clang-format on
  for (const Row& r : {Row{Mode::Save, kOverwritePrompt, "Save As|save|any|confirm"},
                       Row{Mode::Save, kHideReadOnly, "Save As|save|any|"},
                       Row{Mode::Open, kFileMustExist | kOverwritePrompt, "Open|open|existing|"},
                       Row{Mode::Open, kHideReadOnly, "Open|open|any|"}}) {
    std::string shown;
    QObject scope;
    QTimer::singleShot(0, &scope, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      const bool saves = dialog->acceptMode() == QFileDialog::AcceptSave;
      const bool existing = dialog->fileMode() == QFileDialog::ExistingFile;
      const bool confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
      shown = dialog->windowTitle().toStdString() + (saves ? "|save" : "|open") +
              (existing ? "|existing" : "|any") + (saves && confirms ? "|confirm" : "|");
      dialog->reject();
    });
    const auto chosen = tk.FileDialog({r.mode, "Map File (*.map)|*.map", ".map", r.flags});
    EXPECT_EQ(shown, r.expected);
    EXPECT_FALSE(chosen.has_value());
  }
}

// The catalogue is looked for beside the running program, unless a folder is given instead.
TEST(QtToolkit, TheExecutableFolderIsTheProgramsOwnUnlessGiven) {
  EXPECT_EQ(QtToolkit("").ExecutableFolder(), QCoreApplication::applicationDirPath().toStdString());
  EXPECT_EQ(QtToolkit("", "/opt/maps").ExecutableFolder(), "/opt/maps");
}

// A picture reports its size in HIMETRIC at 96 dots per inch, rounded: 1 pixel is 26, 305 are
// 8070. No file, an empty file and text give no picture; an image whose pixels do not fill it
// gives an empty picture.
TEST(QtToolkit, PicturesReportTheirSizeInHimetric) {
  const std::string dir = testing_support::FreshFolder() + "/";
  for (auto [w, h] : {std::pair{1, 1}, {305, 256}, {3, 2000}})
    QImage(w, h, QImage::Format_RGB32)
        .save(QString::fromStdString(dir + std::to_string(w) + ".bmp"));
  std::ofstream(dir + "text.bmp") << "not a picture";
  std::ofstream(dir + "empty.bmp");
  QtToolkit tk("");
  using Size = std::pair<int32_t, int32_t>;
  const auto size = [](const toolkit::PicturePtr& p) {
    return p ? Size(p->WidthHimetric(), p->HeightHimetric()) : Size(-1, -1);
  };
  // clang-format off
  for (auto [file, expected] : {std::pair{"1.bmp", Size(26, 26)}, {"305.bmp", Size(8070, 6773)},
                                {"3.bmp", Size(79, 52917)}, {"text.bmp", Size(-1, -1)},
                                {"empty.bmp", Size(-1, -1)}, {"missing.bmp", Size(-1, -1)}})
    // clang-format on
    EXPECT_EQ(size(tk.LoadPicture(dir + file)), expected) << file;
  const toolkit::Color c{1, 2, 3};
  EXPECT_EQ(size(tk.PictureFromImage({2, 3, std::vector(6, c)})), Size(53, 79));
  EXPECT_EQ(size(tk.PictureFromImage({2, 3, std::vector(5, c)})), Size(0, 0));
}

// A picture korvane-cli draws on: sized as asked, empty for no size, and a size no image can
// have is refused (render then says there is not enough memory) rather than drawn on nothing.
TEST(QtImageSurface, TakesTheSizeAskedOrSaysItCannot) {
  const auto surface = QtImaging().CreateImageSurface();
  const auto size = [&surface] {
    return std::pair(surface->Pixels().width, surface->Pixels().height);
  };
  EXPECT_TRUE(surface->Resize(3, 2));
  EXPECT_EQ(size(), std::pair(3, 2));
  EXPECT_TRUE(surface->Resize(0, 2));
  EXPECT_EQ(size(), std::pair(0, 0));
  EXPECT_FALSE(surface->Resize(INT32_MAX, INT32_MAX));
  EXPECT_EQ(size(), std::pair(0, 0));
}

// Closing asks the owner first, and the owner may destroy the window while it unloads.
TEST(QtToolkit, CloseAsksFirstAndTheOwnerMayDestroyTheWindowWhileUnloading) {
  QtToolkit tk("");
  std::unique_ptr<toolkit::Window> window =
      tk.CreateWindow(toolkit::WindowKind::FixedTool, "Pixels", 3000, 3000);
  window->SetVisible(true);
  bool allow = false;
  window->onQueryUnload = [&] { return allow; };
  window->onUnload = [&] { window.reset(); };
  QWidget* top = static_cast<QtWindow*>(window.get())->TopLevel();
  EXPECT_FALSE(top->close());
  ASSERT_TRUE(window && window->Visible());
  allow = true;
  top->close();
  EXPECT_EQ(window, nullptr);
  // Closing the main window ends the program once control is back in the event loop; closing
  // another does not.
  QApplication::setQuitOnLastWindowClosed(false);
  for (const auto kind : {toolkit::WindowKind::Main, toolkit::WindowKind::FixedTool}) {
    window = tk.CreateWindow(kind, "Quits", 3000, 3000);
    window->SetVisible(true);
    static_cast<QtWindow*>(window.get())->TopLevel()->close();
    EXPECT_FALSE(window->Visible());  // kept by its owner: hidden
    bool waited = false;
    QTimer timer;  // gone with the loop's turn, should the quit come first
    QObject::connect(&timer, &QTimer::timeout, [&] { waited = true, QCoreApplication::quit(); });
    timer.start(300);
    QCoreApplication::exec();
    EXPECT_EQ(waited, kind != toolkit::WindowKind::Main);
  }
}

// The fixed kinds keep the size the program gives them; the user may resize the others.
TEST(QtToolkit, OnlyTheFixedKindsOfWindowHaveAFixedSize) {
  QtToolkit tk("");
  using enum toolkit::WindowKind;
  for (const auto& [kind, fixed] : {std::pair{Main, false}, std::pair{SizableTool, false},
                                    std::pair{FixedTool, true}, std::pair{FixedDialog, true}}) {
    const auto window = tk.CreateWindow(kind, "Fixed", 3000, 3000);
    window->SetVisible(true);
    const QWidget* top = static_cast<QtWindow*>(window.get())->TopLevel();
    EXPECT_EQ(top->minimumSize() == top->maximumSize(), fixed) << static_cast<int>(kind);
  }
}

// Showing a window tells its owner the size it shows at, so that the controls are laid out
// before the user sees them.
TEST(QtToolkit, AWindowShownReportsItsSize) {
  QtToolkit tk("");
  const auto window = tk.CreateWindow(toolkit::WindowKind::Main, "Sized", 3000, 3000);
  int resized = 0;
  window->onResize = [&resized] { ++resized; };
  window->SetVisible(true);
  EXPECT_GE(resized, 1);
}

// A shown window takes the outer width and height the program sets, one at a time.
TEST(QtToolkit, AShownWindowTakesTheWidthAndHeightSet) {
  QtToolkit tk("");
  const auto window = tk.CreateWindow(toolkit::WindowKind::Main, "Sized", 3000, 3000);
  window->SetVisible(true);
  window->SetWidth(4500);
  EXPECT_EQ(window->Width(), 4500.0f);
  window->SetHeight(3600);
  EXPECT_EQ(std::pair(window->Width(), window->Height()), std::pair(4500.0f, 3600.0f));
}

// A window without a menu bar takes menus too, and never shows them.
TEST(QtToolkit, AWindowWithoutAMenuBarKeepsItsMenusUnshown) {
  QtToolkit tk("");
  const auto window = tk.CreateWindow(toolkit::WindowKind::FixedTool, "Tool", 3000, 3000);
  window->AddMenu("&File")->AddItem("&Open")->SetChecked(true);
  window->SetVisible(true);
  EXPECT_TRUE(
      static_cast<QtWindow*>(window.get())->TopLevel()->findChildren<QMenuBar*>().isEmpty());
}

// A window brought to the front comes back from the task bar.
TEST(QtToolkit, AWindowBroughtToTheFrontIsNoLongerMinimized) {
  QtToolkit tk("");
  const auto window = tk.CreateWindow(toolkit::WindowKind::FixedTool, "Front", 3000, 3000);
  window->SetVisible(true);
  static_cast<QtWindow*>(window.get())->TopLevel()->showMinimized();
  EXPECT_TRUE(window->Minimized());
  window->BringToFront();
  EXPECT_FALSE(window->Minimized());
}

TEST(QtToolkit, FileFiltersAndDefaultExtensionsBecomeQtOnes) {
  EXPECT_EQ(ToQtFilter("Map File (*.map)|*.map"), "Map File (*.map)");
  EXPECT_EQ(ToQtFilter("Pictures|*.bmp;*.png|All|*.*"), "Pictures (*.bmp *.png);;All (*.*)");
  EXPECT_EQ(ToQtFilter("Dangling"), "");
  EXPECT_EQ(WithDefaultExtension("/tmp/level", ".map"), "/tmp/level.map");
  EXPECT_EQ(WithDefaultExtension("/tmp/level.dat", ".map"), "/tmp/level.dat");
  EXPECT_EQ(WithDefaultExtension("/tmp/v1.0/level", "map"), "/tmp/v1.0/level.map");
  EXPECT_EQ(WithDefaultExtension("/tmp/level", " "), "/tmp/level");
  EXPECT_EQ(WithDefaultExtension("", ".map"), "");
}

}  // namespace
}  // namespace korvane::qt

// One application for every test, on the offscreen platform unless the caller chose another. A
// box nobody answers within half a minute fails the test that showed it, instead of hanging it.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::setvbuf(stdout, nullptr, _IONBF, 0);  // a killed run still shows what it printed
  QApplication app(argc, argv);
  QTimer watchdog;
  QPointer<QWidget> open;
  int seconds = 0;
  QObject::connect(&watchdog, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    seconds = modal && modal == open ? seconds + 1 : 0;
    open = modal;
    if (seconds < 30) return;
    const auto* box = qobject_cast<QMessageBox*>(modal);
    ADD_FAILURE() << "nobody answered " << (box ? box->text() : modal->windowTitle()).toStdString();
    QMetaObject::invokeMethod(modal, "reject");
  });
  watchdog.start(1000);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
