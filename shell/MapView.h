#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/MapDocument.h"
#include "render/MapPainter.h"
#include "toolkit/Window.h"

namespace korvane {

class Editor;
struct MapGlobal;

// Painting modes, the entries of the PaintMode combo box.
inline constexpr int16_t kNormalPainting = 0;
inline constexpr int16_t kDragFill = 1;
inline constexpr int16_t kBlockPaste = 2;

// Layout constants of the main window, in twips.
inline constexpr float kToolStripHeight = 375;
inline constexpr float kScrollBarThickness = 255;

// The main window: the map document, the view of it, the tool strip and the menus. Handlers are
// defined in the folder of the subsystem they belong to.
class MapView {
 public:
  explicit MapView(Editor& editor);
  ~MapView();

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
  toolkit::MenuItem* MENU_DATA_VIEW = nullptr;
  toolkit::MenuItem* EDHUMRES = nullptr;
  toolkit::MenuItem* EDCOMPRES = nullptr;

  // ---- Shell (shell/) ----
  void Form_Load();
  void Form_Resize();
  void Grid_Click();
  void MapZoom_Click();
  void HScroll_Change();
  void HScroll_Scroll();
  void VScroll_Change();
  void VScroll_Scroll();
  // Brings ViewCols, ViewRows, the scroll ranges and ViewFirstCol/Row up to date.
  void UpdateViewGeometry();
  // How the display shows cells with the applied sheet, zoom and grid.
  MapPaintSetup PaintSetup(bool overlayMarkers = false) const;
  // The cell pitch on the display, in twips (32-bit: see the numbers note in the README).
  int32_t CellTwipsX() const;
  int32_t CellTwipsY() const;
  // Whole cells that fit a display of the given interior size (never below 1).
  int32_t CellsAcross(float scaleWidth) const;
  int32_t CellsDown(float scaleHeight) const;

  // ---- Drawing (with render/) ----
  // Draws the visible cells over what the display shows, after bringing the view geometry up
  // to date; the first drawing also loads the map named on the command line.
  void Display_Paint();
  // Draws tile t into screen cell (c, r): the tile area only, the grid gap is left alone.
  void DrawTileInCell(int16_t tile, int32_t c, int32_t r);
  // The overlay marker (circle and centred number) of screen cell (c, r).
  void DrawOverlayMarker(int16_t value, int32_t c, int32_t r);

  // ---- Tools (tools/) ----
  void Display_MouseDown(int16_t button, int16_t shift, float x, float y);
  void Display_MouseMove(int16_t button, int16_t shift, float x, float y);
  void Display_MouseUp(int16_t button, int16_t shift, float x, float y);
  void MultipleTiles_Click();
  void CommandUndo_Click();
  void FloodFillMap_Click();
  // The screen cell under a pointer position in twips.
  ScreenCell CellUnderPointer(float x, float y) const;

  // ---- Tiles (tiles/) ----
  void TileZoom_Click();

  // ---- Documents (document/) ----
  // Reads a map file into the document; all or nothing (see document/MapCommands.cpp).
  void LoadMap(const std::string& MapFileName);
  // Writes the document to a file; true when the file was written and committed.
  bool SaveNow(const std::string& savenowfile);
  void MENU_NEW_MAP_Click();
  void MENU_LOAD_MAP_Click();
  void MENU_LOAD_TILES_Click();
  // True when the map was saved.
  bool MENU_SAVE_MAP_Click();
  void MENU_SAVEAS_MAP_Click();
  bool Form_QueryUnload();
  void Form_Unload();
  void EDHUMRES_Click();
  void EDCOMPRES_Click();
  // Sets the caption from Map.CurrentMapFile by the caption rule.
  void SetCaptionFromFile();

  // ---- Overlay (overlay/) ----
  void MENU_DATA_VIEW_Click();

  Editor& editor() { return editor_; }
  MapGlobal& global();

 private:
  void CreateControls();
  Editor& editor_;
  // Counts drawings of the map, so a drawing can tell that a nested one already did its work.
  uint32_t paintRuns_ = 0;
};

}  // namespace korvane
