// The main window's handlers whose work belongs to a subsystem: each hands it to that
// subsystem's folder, which works through the editor's EditorWindows.

#include "document/FileCommands.h"
#include "document/TiledCommands.h"
#include "overlay/ModeSwitch.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tiles/TileView.h"
#include "tools/MapTools.h"
#include "tools/ToolCells.h"

namespace korvane {

// ---- Tools ----

void MapView::Display_MouseDown(int16_t button, int16_t shift, float x, float y) {
  tools::Display_MouseDown(editor_, button, shift, x, y);
}

void MapView::Display_MouseMove(int16_t button, int16_t shift, float x, float y) {
  tools::Display_MouseMove(editor_, button, shift, x, y);
}

void MapView::Display_MouseUp(int16_t button, int16_t shift, float x, float y) {
  tools::Display_MouseUp(editor_, button, shift, x, y);
}

void MapView::MultipleTiles_Click() {
  tools::MultipleTiles_Click(editor_);
}

void MapView::CommandUndo_Click() {
  tools::CommandUndo_Click(editor_);
}

void MapView::FloodFillMap_Click() {
  tools::FloodFillMap_Click(editor_);
}

void MapView::MENU_SYMMETRY_Click(Symmetry mode) {
  tools::MENU_SYMMETRY_Click(editor_, mode);
}

ScreenCell MapView::CellUnderPointer(float x, float y) const {
  return korvane::CellUnderPointer(*this, editor_.Global(), x, y);
}

// ---- Tiles ----

void MapView::TileZoom_Click() {
  editor_.tileView().SwitchZoom();
}

// ---- Overlay ----

void MapView::MENU_DATA_VIEW_Click() {
  overlay::MENU_DATA_VIEW_Click(editor_);
}

// ---- Documents ----

void MapView::LoadMap(const std::string& MapFileName) {
  document::LoadMap(editor_, MapFileName);
}

bool MapView::SaveNow(const std::string& savenowfile) {
  return document::SaveNow(editor_, savenowfile);
}

void MapView::SetCaptionFromFile() {
  document::SetCaptionFromFile(*this);
}

void MapView::MENU_NEW_MAP_Click() {
  document::MENU_NEW_MAP_Click(editor_);
}

void MapView::MENU_LOAD_MAP_Click() {
  document::MENU_LOAD_MAP_Click(editor_);
}

void MapView::MENU_LOAD_TILES_Click() {
  document::MENU_LOAD_TILES_Click(editor_);
}

bool MapView::MENU_SAVE_MAP_Click() {
  return document::MENU_SAVE_MAP_Click(editor_);
}

void MapView::MENU_SAVEAS_MAP_Click() {
  document::MENU_SAVEAS_MAP_Click(editor_);
}

void MapView::MENU_IMPORT_TILED_Click() {
  document::MENU_IMPORT_TILED_Click(editor_);
}

void MapView::MENU_EXPORT_TILED_Click() {
  document::MENU_EXPORT_TILED_Click(editor_);
}

bool MapView::Form_QueryUnload() {
  return document::Form_QueryUnload(editor_);
}

void MapView::Form_Unload() {
  document::Form_Unload(editor_);
}

void MapView::EDHUMRES_Click() {
  document::EDHUMRES_Click(editor_);
}

void MapView::EDCOMPRES_Click() {
  document::EDCOMPRES_Click(editor_);
}

}  // namespace korvane
