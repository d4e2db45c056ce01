#include "shell/Editor.h"
#include "shell/MapView.h"

namespace korvane {

void MapView::Form_Load() {}
void MapView::Form_Resize() {}
void MapView::Grid_Click() {}
void MapView::MapZoom_Click() {}
void MapView::HScroll_Change() {}
void MapView::HScroll_Scroll() {}
void MapView::VScroll_Change() {}
void MapView::VScroll_Scroll() {}
void MapView::UpdateViewGeometry() {}
int32_t MapView::CellTwipsX() const {
  return 0;
}
int32_t MapView::CellTwipsY() const {
  return 0;
}
int32_t MapView::CellsAcross(float) const {
  return 1;
}
int32_t MapView::CellsDown(float) const {
  return 1;
}

}  // namespace korvane
