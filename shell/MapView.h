#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "render/MapPainter.h"
#include "state/MapViewState.h"

namespace korvane {

class Editor;
struct MapGlobal;

// Layout constants of the main window, in twips.
inline constexpr float kToolStripHeight = 375;
inline constexpr float kScrollBarThickness = 255;

// The main window: the map document, the view of it, the tool strip and the menus (the variables
// and controls of MapViewState), with the handlers the design names. A handler whose work belongs
// to a subsystem hands it to that subsystem's folder.
class MapView : public MapViewState {
 public:
  explicit MapView(Editor& editor);
  ~MapView();

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

  // ---- Tools (tools/) ----
  void Display_MouseDown(int16_t button, int16_t shift, float x, float y);
  void Display_MouseMove(int16_t button, int16_t shift, float x, float y);
  void Display_MouseUp(int16_t button, int16_t shift, float x, float y);
  void MultipleTiles_Click();
  void CommandUndo_Click();
  void FloodFillMap_Click();
  void MENU_SYMMETRY_Click(Symmetry mode);
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
  void MENU_IMPORT_TILED_Click();
  void MENU_EXPORT_TILED_Click();
  bool Form_QueryUnload();
  void Form_Unload();
  void EDHUMRES_Click();
  void EDCOMPRES_Click();
  // Sets the caption from Map.CurrentMapFile by the caption rule.
  void SetCaptionFromFile();

  // ---- Overlay (overlay/) ----
  void MENU_DATA_VIEW_Click();

 private:
  void CreateControls();
  MapGlobal& global();
  Editor& editor_;
  // Counts drawings of the map, so a drawing can tell that a nested one already did its work.
  uint32_t paintRuns_ = 0;
};

}  // namespace korvane
