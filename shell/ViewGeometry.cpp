#include <algorithm>
#include <cstdint>

#include "model/Numbers.h"
#include "shell/Editor.h"
#include "shell/MapView.h"

namespace korvane {

namespace {

int16_t Clamp16(int64_t v) {
  return static_cast<int16_t>(std::clamp<int64_t>(v, -32768, 32767));
}

// Cells whose whole tile fits an extent: N(extent - tile) ÷ pitch + 1, the subtraction in single
// precision. Never below 1, so a display too small for one cell still has a page to divide by.
int32_t WholeCellsAlong(float extent, int32_t tileTwips, int32_t pitchTwips) {
  if (pitchTwips < 1) return 1;
  const int64_t room = RoundHalfEven(extent - static_cast<float>(tileTwips));
  return static_cast<int32_t>(std::clamp<int64_t>(room / pitchTwips + 1, 1, 32767));
}

// Gives the bar one position per page of cellsPerPage cells (at least one position) and returns
// the first map cell of the page it shows.
int16_t ShowPages(toolkit::ScrollBar& bar, int16_t mapCells, int16_t cellsPerPage) {
  const int32_t perPage = std::max<int32_t>(cellsPerPage, 1);
  const int32_t cells = std::max<int32_t>(mapCells, 0);
  const int32_t pages = cells / perPage + (cells % perPage > 0 ? 1 : 0);
  // Setting the range can move Value and so redraw the display from inside this drawing.
  bar.SetMin(1);
  bar.SetMax(Clamp16(std::max(pages, 1)));
  // A Value below the range (from a toolkit that did not clamp) shows the first page.
  const int16_t first = Clamp16(std::max<int64_t>((int64_t{bar.Value()} - 1) * perPage, 0));
  bar.SetEnabled(bar.Max() > 1);
  bar.Refresh();
  return first;
}

}  // namespace

int32_t MapView::CellTwipsX() const {
  return CellPitchX(PaintSetup(editor_.Global()));
}

int32_t MapView::CellTwipsY() const {
  return CellPitchY(PaintSetup(editor_.Global()));
}

int32_t MapView::CellsAcross(float scaleWidth) const {
  return WholeCellsAlong(scaleWidth, int32_t{MapZoomFactor} * editor_.Global().TileTwipsX,
                         CellTwipsX());
}

int32_t MapView::CellsDown(float scaleHeight) const {
  return WholeCellsAlong(scaleHeight, int32_t{MapZoomFactor} * editor_.Global().TileTwipsY,
                         CellTwipsY());
}

void MapView::UpdateViewGeometry() {
  ViewCols = Clamp16(CellsAcross(Display->ScaleWidth()));
  ViewRows = Clamp16(CellsDown(Display->ScaleHeight()));
  ViewFirstCol = ShowPages(*HScroll, Map.MapWidth, ViewCols);
  ViewFirstRow = ShowPages(*VScroll, Map.MapHeight, ViewRows);
}

}  // namespace korvane
