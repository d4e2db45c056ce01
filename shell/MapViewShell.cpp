#include "overlay/DatView.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tiles/TileView.h"

namespace korvane {

using toolkit::Place;

namespace {

// The smallest client area, in twips, that the layout is applied to (exclusive).
constexpr float kMinimumLayoutWidth = 255;
constexpr float kMinimumLayoutHeight = 630;

}  // namespace

void MapView::Form_Load() {
  toolkit::Toolkit& tk = editor_.Toolkit();
  StartupMapFile = tk.CommandLine();
  Map.CurrentMapFile.clear();
  // No click handler is wired to PaintMode, so choosing the first entry runs nothing.
  PaintMode->SetListIndex(kNormalPainting);
  GridOn = 0;
  MapZoomFactor = 1;
  // The first reference creates the palette and runs its Form_Load.
  editor_.tileView().ZoomStatus = 1;
  Map.MapChanged = 0;
  tk.SeedRandomFromTimer();

  // Window places are fractions of the screen, worked out in floating point.
  const double sw = tk.ScreenWidth();
  const double sh = tk.ScreenHeight();
  const float top = static_cast<float>(sh / 25);
  const float height = static_cast<float>(sh * 90 / 100);
  window->Move(static_cast<float>(sw / 50), top);
  window->SetWidth(static_cast<float>(sw / 1.8));
  window->SetHeight(height);

  // The palette sits right of the main window, the two overlapping by a small strip.
  toolkit::Window& palette = *editor_.tileView().window;
  palette.Move(static_cast<float>(sw / 1.7), top);
  palette.SetWidth(static_cast<float>(sw / 2.5));
  palette.SetHeight(height);
  // The catalogue keeps its own size and stays hidden until overlay mode.
  editor_.datView().window->Move(static_cast<float>(sw / 1.7), top);
  palette.SetVisible(true);

  EditMode = 0;
  Map.MapWidth = 0;
  Map.MapHeight = 0;
  Map.HumanResources = 0;
  Map.ComputerResources = 0;
}

void MapView::Form_Resize() {
  if (window->Minimized()) {
    // Hiding never creates a companion that is not there (its Form_Load would reset state).
    if (editor_.HasTileView()) editor_.tileView().window->SetVisible(false);
    if (editor_.HasDatView()) editor_.datView().window->SetVisible(false);
  } else if (EditMode == 0) {
    editor_.tileView().window->SetVisible(true);
  } else {
    editor_.datView().window->SetVisible(true);
  }

  const float w = window->ScaleWidth();
  const float h = window->ScaleHeight();
  // A client too small for the layout keeps the controls where they are.
  if (w <= kMinimumLayoutWidth || h <= kMinimumLayoutHeight) return;

  const float below = h - kToolStripHeight - kScrollBarThickness;
  Display->SetPlace(Place{0, kToolStripHeight, w - kScrollBarThickness, below});
  HScroll->SetPlace(
      Place{0, h - kScrollBarThickness, w - kScrollBarThickness, kScrollBarThickness});
  VScroll->SetPlace(Place{w - kScrollBarThickness, kToolStripHeight, kScrollBarThickness, below});
  CommandUndo->SetPlace(Place{w - kScrollBarThickness, h - kScrollBarThickness, kScrollBarThickness,
                              kScrollBarThickness});

  // The tool strip is six equal columns; each control keeps its own top and height.
  toolkit::Control* const strip[] = {Grid,         MapZoom,   TileZoom,
                                     FloodFillMap, PaintMode, MultipleTiles};
  for (int i = 0; i < 6; ++i) {
    Place p = strip[i]->GetPlace();
    p.left = static_cast<float>(i) * w / 6;
    p.width = w / 6;
    strip[i]->SetPlace(p);
  }

  // Redraw only when the number of whole cells changed; the drawing stores the new counts.
  if (Map.MapWidth > 0 && global().TileSize > 0) {
    if (CellsAcross(Display->ScaleWidth()) != ViewCols ||
        CellsDown(Display->ScaleHeight()) != ViewRows)
      Display->Refresh();
  }
}

void MapView::Grid_Click() {
  GridOn = GridOn == 0 ? 1 : 0;
  Display->Refresh();
}

void MapView::MapZoom_Click() {
  MapZoomFactor = MapZoomFactor == 1 ? 2 : 1;
  Display->Refresh();
}

// A scroll position is a page of cells: every move redraws the whole display.
void MapView::HScroll_Change() {
  Display->Refresh();
}
void MapView::HScroll_Scroll() {
  Display->Refresh();
}
void MapView::VScroll_Change() {
  Display->Refresh();
}
void MapView::VScroll_Scroll() {
  Display->Refresh();
}

}  // namespace korvane
