#include "shell/MapView.h"

namespace korvane {

void MapView::Display_MouseDown(int16_t, int16_t, float, float) {}
void MapView::Display_MouseMove(int16_t, int16_t, float, float) {}
void MapView::Display_MouseUp(int16_t, int16_t, float, float) {}
void MapView::MultipleTiles_Click() {}
void MapView::CommandUndo_Click() {}
void MapView::FloodFillMap_Click() {}
ScreenCell MapView::CellUnderPointer(float, float) const {
  return {};
}

}  // namespace korvane
