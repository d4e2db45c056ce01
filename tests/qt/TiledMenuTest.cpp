// File > "Import Tiled Map..." and "Export to Tiled..." through the real window: the menu, the
// file dialogs and the message box, on Qt's offscreen platform.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>

#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tests/support/EditorFixture.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtWindow.h"

namespace korvane::qt {
namespace {

// Answers the modal windows that `act` opens, one answer each, in order; what is left unanswered
// fails the test.
void Answering(std::deque<std::function<void(QWidget*)>> answers,
               const std::function<void()>& act) {
  QTimer timer;
  // Guarded: the next dialog may be made where the last one was.
  QPointer<QWidget> answered;
  std::function<void(QWidget*)> last;
  int ticks = 0;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    // A window that will not close fails the test rather than hanging it.
    if (modal && modal == answered && ++ticks > 1000) {
      ADD_FAILURE() << "a window stayed open: " << modal->windowTitle().toStdString();
      QMetaObject::invokeMethod(modal, "reject");
      return;
    }
    // A file dialog still busy listing its folder may let the first choice pass, or put its
    // first filter back when the listing ends: the whole choice again, from the event loop, so
    // that a box the accept opens is seen here rather than waited on.
    if (modal && modal == answered && qobject_cast<QFileDialog*>(modal) && modal->isVisible() &&
        ticks % 10 == 0)
      last(modal);
    if (!modal || modal == answered) return;
    answered = modal;
    ticks = 0;
    if (answers.empty()) {
      const auto* box = qobject_cast<QMessageBox*>(modal);
      ADD_FAILURE() << "unexpected " << (box ? box->text() : modal->windowTitle()).toStdString();
      QMetaObject::invokeMethod(modal, "reject");
      return;
    }
    last = std::move(answers.front());
    answers.pop_front();
    last(modal);
  });
  timer.start(10);
  act();
  EXPECT_TRUE(answers.empty()) << answers.size() << " windows never came";
}

// Chooses `path` in a file dialog, with the filter named when one is given, and accepts the
// choice or cancels it.
std::function<void(QWidget*)> Choose(const std::string& path, const QString& filter = "",
                                     bool accept = true) {
  return [path, filter, accept](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    // In one turn of the event loop, so that nothing the dialog does meanwhile (its folder's
    // listing puts the first filter back) comes between the choice and the accept.
    QTimer::singleShot(0, dialog, [dialog, path, filter, accept] {
      if (!filter.isEmpty()) dialog->selectNameFilter(filter);
      // A shown dialog leaves the name as typed while its name field has the focus, and the
      // field may already have it: the focus goes first.
      if (QWidget* focused = dialog->focusWidget()) focused->clearFocus();
      dialog->selectFile(QString::fromStdString(path));
      QMetaObject::invokeMethod(dialog, accept ? "accept" : "reject");
    });
  };
}

// Presses the button of a message box, keeping its text.
std::function<void(QWidget*)> Press(QMessageBox::StandardButton button, std::string& text) {
  return [button, &text](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    text = box->text().toStdString();
    box->button(button)->click();
  };
}

class TiledMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    editor_.Start();
    for (int round = 0; round < 2; ++round) QCoreApplication::processEvents();
    // 20 x 11 pixels: two tiles of 8 with a margin of 2 and a spacing of 1.
    QImage sheet(20, 11, QImage::Format_RGB32);
    sheet.fill(Qt::darkGreen);
    sheet.save(QString::fromStdString(dir_ + "sheet.bmp"));
  }

  void Menu(const QString& text) {
    auto* top = static_cast<QtWindow*>(editor_.mapView().window.get())->TopLevel();
    for (QAction* action : top->findChildren<QAction*>())
      if (action->text() == text) return action->trigger();
    FAIL() << "no menu entry " << text.toStdString();
  }

  void Write(const std::string& name, const std::string& text) {
    std::ofstream(dir_ + name, std::ios::binary) << text;
  }

  const std::string dir_ = testing_support::FreshFolder() + "/";
  QtToolkit tk_{"", dir_};
  Editor editor_{tk_};
};

const char* const kTmx = R"(<map orientation="orthogonal" width="3" height="2" tilewidth="8"
  tileheight="8"><tileset firstgid="1" name="s" tilewidth="8" tileheight="8" spacing="1"
  margin="2"><image source="sheet.bmp"/></tileset><layer name="t" width="3" height="2">
  <data encoding="csv">1,2,0,2,1,2</data></layer></map>)";

TEST_F(TiledMenu, ImportsExportsAndRefusesThroughTheWindow) {
  Write("in.tmx", kTmx);
  Answering({Choose(dir_ + "in.tmx")}, [&] { Menu("&Import Tiled Map..."); });
  const MapDocument& map = editor_.mapView().Map;
  const MapGlobal& g = editor_.Global();
  EXPECT_EQ(std::vector<int16_t>(map.MapTiles.Tiles().Cells().begin(),
                                 map.MapTiles.Tiles().Cells().end()),
            (std::vector<int16_t>{0, 1, -1, 1, 0, 1}));
  EXPECT_EQ(map.MapChanged, 1);
  EXPECT_EQ(map.CurrentMapFile, "");
  EXPECT_EQ(editor_.mapView().window->Caption(), "Korvane");
  // The tileset's picture is the sheet, cut as Tiled cuts it.
  EXPECT_EQ(g.TileSheetFile, dir_ + "sheet.bmp");
  EXPECT_EQ((std::vector<int>{g.TileSize, g.TileSpacing, g.TileOffset, g.TileCount}),
            (std::vector<int>{8, 1, 2, 2}));

  // Both formats, the JSON one chosen by its filter alone; the document stays as it was.
  Answering({Choose(dir_ + "out", "Tiled JSON Map (*.tmj)")}, [&] { Menu("E&xport to Tiled..."); });
  Answering({Choose(dir_ + "out.tmx")}, [&] { Menu("E&xport to Tiled..."); });
  Answering({Choose(dir_ + "cancelled.tmx", "", false)}, [&] { Menu("E&xport to Tiled..."); });
  EXPECT_FALSE(std::filesystem::exists(dir_ + "cancelled.tmx"));
  EXPECT_EQ(map.MapChanged, 1);
  EXPECT_EQ(map.CurrentMapFile, "");

  // Each export imported again through the menu gives the same map and sheet.
  const Grid16 tiles = map.MapTiles.Tiles();
  std::string question, box;
  for (const char* name : {"out.tmj", "out.tmx"}) {
    Answering({Press(QMessageBox::Yes, question), Choose(dir_ + name)},
              [&] { Menu("&Import Tiled Map..."); });
    EXPECT_EQ(map.MapTiles.Tiles(), tiles) << name;
    EXPECT_EQ(g.TileSheetFile, dir_ + "sheet.bmp") << name;
    EXPECT_EQ((std::vector<int>{g.TileSize, g.TileSpacing, g.TileOffset, g.TileCount}),
              (std::vector<int>{8, 1, 2, 2}));
  }

  // A refused map: the question about the unsaved map, the dialog, one box; nothing changes.
  Write("bad.tmx", "<map");
  Answering(
      {Press(QMessageBox::Yes, question), Choose(dir_ + "bad.tmx"), Press(QMessageBox::Ok, box)},
      [&] { Menu("&Import Tiled Map..."); });
  EXPECT_EQ(question, "Are you sure you want to lose all changes?");
  EXPECT_EQ(box, "The Tiled map \"" + dir_ +
                     "bad.tmx\" could not be imported. The file is not "
                     "valid XML: at line 1, column 4, error parsing start element tag.");
  EXPECT_EQ(map.MapWidth, 3);
  EXPECT_EQ(map.MapChanged, 1);
  EXPECT_EQ(g.TileSize, 8);
}

}  // namespace
}  // namespace korvane::qt
