#include "shell/MapView.h"

namespace korvane {

void MapView::Display_Paint() {}
void MapView::DrawTileInCell(int16_t, int32_t, int32_t) {}
void MapView::DrawOverlayMarker(int16_t, int32_t, int32_t) {}

}  // namespace korvane
