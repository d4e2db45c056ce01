// korvane [MAP]: the tile-map editor. Everything after the program's name is one map path.

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "app/Usage.h"
#include "app/Version.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "toolkit/qt/QtSurface.h"
#include "toolkit/qt/QtToolkit.h"

namespace {

constexpr int kDialogFontPoints = 8;

bool HasEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Qt's own message for a missing display names the plugin, not the cure.
bool DisplayAvailable() {
  return HasEnvironment("DISPLAY") || HasEnvironment("WAYLAND_DISPLAY") ||
         HasEnvironment("QT_QPA_PLATFORM");
}

// Four tiles of land and water: the editor's icon, drawn rather than shipped as a file.
QIcon EditorIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(QColor(40, 40, 40));
  QPainter painter(&pixmap);
  const QColor tiles[] = {QColor(60, 140, 60), QColor(40, 90, 190), QColor(220, 200, 140),
                          QColor(60, 140, 60)};
  for (int i = 0; i < 4; ++i)
    painter.fillRect(1 + (i % 2) * 16, 1 + (i / 2) * 16, 14, 14, tiles[i]);
  return QIcon(pixmap);
}

std::string JoinArguments(int argc, char** argv) {
  std::string joined;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) joined += ' ';
    joined += argv[i];
  }
  return joined;
}

// KORVANE_EXIT_AFTER_FIRST_PAINT=1 (for scripts/open-time.sh): once the map display has been
// painted on the screen showing the map from the command line (with none, its first paint),
// prints "first-paint <epoch ms> <ms since main began>" and ends the editor. Nothing else
// changes, so the time is that of a user opening the map.
class FirstPaintExit : public QObject {
 public:
  FirstPaintExit(korvane::Editor& editor, bool mapGiven,
                 std::chrono::steady_clock::time_point mainEntered)
      : editor_(editor), mapGiven_(mapGiven), mainEntered_(mainEntered) {
    auto* display = static_cast<korvane::qt::QtSurface*>(editor.mapView().Display);
    display->widget()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Paint || done_) return false;
    if (mapGiven_ && editor_.mapView().Map.MapWidth < 1) return false;
    done_ = true;
    // Reported once the paint itself has run (the filter sees it first).
    QMetaObject::invokeMethod(
        this,
        [this] {
          const auto now = std::chrono::system_clock::now().time_since_epoch();
          std::printf("first-paint %.3f %.3f\n",
                      std::chrono::duration<double, std::milli>(now).count(),
                      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                                mainEntered_)
                          .count());
          std::fflush(stdout);
          QCoreApplication::quit();
        },
        Qt::QueuedConnection);
    return false;
  }

 private:
  korvane::Editor& editor_;
  bool mapGiven_;
  std::chrono::steady_clock::time_point mainEntered_;
  bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  const auto mainEntered = std::chrono::steady_clock::now();
  if (argc == 2 && std::string_view(argv[1]) == "--help") {
    std::cout << kEditorUsage;
    return 0;
  }
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << "Korvane " << kKorvaneVersion << "\n";
    return 0;
  }
  if (!DisplayAvailable()) {
    std::cerr << "korvane: no display found; set DISPLAY, or run under xvfb-run\n";
    return 1;
  }

  // The map path is taken before Qt sees the arguments: Qt would remove options it knows.
  const std::string mapPath = JoinArguments(argc, argv);
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QApplication::setApplicationName("Korvane");
  QApplication::setWindowIcon(EditorIcon());
  // Ties the windows to the installed desktop entry, whose icon the desktop then shows.
  QApplication::setDesktopFileName("org.korvane.Korvane");
  // The windows are laid out in twips for a small dialog font; larger text would not fit the
  // labels and the tool strip.
  QFont font = QApplication::font();
  font.setPointSize(kDialogFontPoints);
  QApplication::setFont(font);
  // Only closing the main window ends the editor, however many tool windows remain.
  QApplication::setQuitOnLastWindowClosed(false);

  int result = 0;
  {
    korvane::qt::QtToolkit toolkit(mapPath);
    korvane::Editor editor(toolkit);
    editor.Start();
    std::unique_ptr<FirstPaintExit> firstPaintExit;
    if (HasEnvironment("KORVANE_EXIT_AFTER_FIRST_PAINT"))
      firstPaintExit = std::make_unique<FirstPaintExit>(editor, !mapPath.empty(), mainEntered);
    result = QApplication::exec();
  }
  // Windows the editor discarded are deleted by the event loop; let it finish them.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return result;
}
