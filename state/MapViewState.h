#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "model/MapDocument.h"
#include "model/Symmetry.h"
#include "render/MapPainter.h"
#include "render/TileSheetSetup.h"
#include "toolkit/Window.h"

namespace korvane {

// Painting modes, the entries of the PaintMode combo box.
inline constexpr int16_t kNormalPainting = 0;
inline constexpr int16_t kDragFill = 1;
inline constexpr int16_t kBlockPaste = 2;

// The main window's variables and controls: the map document, the view of it, the tool strip
// and the menus, as the handlers of every subsystem read and change them. The window itself
// (MapView) creates the controls and wires them to its handlers.
struct MapViewState {
  // ---- Document state ----
  // 0 tile mode, 1 overlay mode; remembers the mode while both companion windows are hidden.
  int16_t EditMode = 0;
  std::string StartupMapFile;
  // The map being edited, its file name and its unsaved-changes flag.
  MapDocument Map;

  // ---- View state ----
  int16_t MapZoomFactor = 1;
  int16_t GridOn = 0;
  float DragStartX = 0;
  float DragStartY = 0;
  int16_t ViewFirstCol = 0;
  int16_t ViewFirstRow = 0;
  int16_t ViewCols = 0;
  int16_t ViewRows = 0;
  // Every edit also goes to the images of the cells it writes under this symmetry; it lasts for
  // the run and is not part of the map.
  Symmetry MapSymmetry = Symmetry::Off;

  // ---- Controls ----
  std::unique_ptr<toolkit::Window> window;
  toolkit::Surface* Display = nullptr;
  toolkit::ScrollBar* HScroll = nullptr;
  toolkit::ScrollBar* VScroll = nullptr;
  toolkit::Button* Grid = nullptr;
  toolkit::Button* MapZoom = nullptr;
  toolkit::Button* TileZoom = nullptr;
  toolkit::Button* FloodFillMap = nullptr;
  toolkit::CheckBox* MultipleTiles = nullptr;
  toolkit::ComboBox* PaintMode = nullptr;
  toolkit::Button* CommandUndo = nullptr;
  toolkit::MenuItem* MENU_NEW_MAP = nullptr;
  toolkit::MenuItem* MENU_LOAD_MAP = nullptr;
  toolkit::MenuItem* MENU_LOAD_TILES = nullptr;
  toolkit::MenuItem* MENU_SAVE_MAP = nullptr;
  toolkit::MenuItem* MENU_SAVEAS_MAP = nullptr;
  toolkit::MenuItem* MENU_IMPORT_TILED = nullptr;
  toolkit::MenuItem* MENU_EXPORT_TILED = nullptr;
  toolkit::MenuItem* MENU_DATA_VIEW = nullptr;
  toolkit::MenuItem* EDHUMRES = nullptr;
  toolkit::MenuItem* EDCOMPRES = nullptr;
  // The "Symmetry" menu's entries, one per Symmetry value in its order, Off first.
  std::array<toolkit::MenuItem*, 5> MENU_SYMMETRY{};
  toolkit::MenuItem* MENU_OVERVIEW = nullptr;

  // How the display shows cells of the given sheet at this zoom and grid.
  MapPaintSetup PaintSetup(const TileSheetSetup& sheet, bool overlayMarkers = false) const {
    return MapPaintSetup{sheet, MapZoomFactor, GridOn, overlayMarkers};
  }
};

}  // namespace korvane
