// The main window's handlers whose work belongs to a subsystem: each hands it to that
// subsystem's folder, which works through the editor's EditorWindows.

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

}  // namespace korvane
