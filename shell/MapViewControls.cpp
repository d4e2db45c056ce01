#include "overlay/DatView.h"
#include "render/MapPainter.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tiles/TileView.h"

namespace korvane {

using toolkit::Place;

MapView::MapView(Editor& editor) : editor_(editor) {
  CreateControls();
}

MapView::~MapView() = default;

MapGlobal& MapView::global() {
  return editor_.Global();
}

void MapView::CreateControls() {
  window = editor_.Toolkit().CreateWindow(toolkit::WindowKind::Main, "Korvane", 8055, 5895);
  toolkit::Window& w = *window;

  Display = w.AddSurface(Place{0, 360, 7815, 5295});
  SetMapDisplayColours(*Display);
  HScroll = w.AddHScrollBar(Place{0, 5640, 7815, 255});
  VScroll = w.AddVScrollBar(Place{7800, 360, 255, 5295});
  Grid = w.AddButton("Grid", Place{0, 0, 1215, 375});
  MapZoom = w.AddButton("Map Zoom", Place{1200, 0, 1215, 375});
  TileZoom = w.AddButton("Tile Zoom", Place{2400, 0, 1215, 375});
  FloodFillMap = w.AddButton("Flood Fill Map", Place{3600, 0, 1215, 375});
  MultipleTiles = w.AddCheckBox("Multiple Tiles", Place{6600, 0, 1455, 315});
  PaintMode = w.AddComboBox(Place{4920, 0, 1575, 315});
  PaintMode->AddItem("Normal Painting");
  PaintMode->AddItem("Drag Fill");
  PaintMode->AddItem("Block Paste");
  CommandUndo = w.AddButton("U", Place{7800, 5640, 255, 255});

  toolkit::Menu* file = w.AddMenu("&File");
  MENU_NEW_MAP = file->AddItem("&New Map");
  file->AddSeparator();
  MENU_LOAD_MAP = file->AddItem("Load &Map");
  MENU_LOAD_TILES = file->AddItem("Load &Tiles");
  file->AddSeparator();
  MENU_SAVE_MAP = file->AddItem("&Save Map");
  MENU_SAVEAS_MAP = file->AddItem("Save Map &As");
  file->AddSeparator();
  MENU_IMPORT_TILED = file->AddItem("&Import Tiled Map...");
  MENU_EXPORT_TILED = file->AddItem("E&xport to Tiled...");
  toolkit::Menu* tools = w.AddMenu("T&ools");
  MENU_DATA_VIEW = tools->AddItem("S&witch Mode");
  tools->AddSeparator();
  EDHUMRES = tools->AddItem("Edit &Human Resources");
  EDCOMPRES = tools->AddItem("Edit &Computer Resources");
  tools->AddSeparator();
  MENU_OVERVIEW = tools->AddItem("&Overview");
  toolkit::Menu* symmetry = w.AddMenu("&Symmetry");
  const char* const symmetries[] = {"&Off", "&Left-Right Mirror", "&Top-Bottom Mirror",
                                    "&Four-Way Mirror", "&Rotate Half Turn"};
  for (size_t i = 0; i < MENU_SYMMETRY.size(); ++i) {
    MENU_SYMMETRY[i] = symmetry->AddItem(symmetries[i]);
    MENU_SYMMETRY[i]->SetChecked(i == 0);
    MENU_SYMMETRY[i]->onClick = [this, i] { MENU_SYMMETRY_Click(static_cast<Symmetry>(i)); };
  }

  w.onResize = [this] { Form_Resize(); };
  Display->onPaint = [this] { Display_Paint(); };
  Display->onMouseDown = [this](int16_t b, int16_t s, float x, float y) {
    Display_MouseDown(b, s, x, y);
  };
  Display->onMouseMove = [this](int16_t b, int16_t s, float x, float y) {
    Display_MouseMove(b, s, x, y);
  };
  Display->onMouseUp = [this](int16_t b, int16_t s, float x, float y) {
    Display_MouseUp(b, s, x, y);
  };
  HScroll->onChange = [this] { HScroll_Change(); };
  HScroll->onScroll = [this] { HScroll_Scroll(); };
  VScroll->onChange = [this] { VScroll_Change(); };
  VScroll->onScroll = [this] { VScroll_Scroll(); };
  Grid->onClick = [this] { Grid_Click(); };
  MapZoom->onClick = [this] { MapZoom_Click(); };
  TileZoom->onClick = [this] { TileZoom_Click(); };
  FloodFillMap->onClick = [this] { FloodFillMap_Click(); };
  MultipleTiles->onClick = [this] { MultipleTiles_Click(); };
  CommandUndo->onClick = [this] { CommandUndo_Click(); };
  MENU_NEW_MAP->onClick = [this] { MENU_NEW_MAP_Click(); };
  MENU_LOAD_MAP->onClick = [this] { MENU_LOAD_MAP_Click(); };
  MENU_LOAD_TILES->onClick = [this] { MENU_LOAD_TILES_Click(); };
  MENU_SAVE_MAP->onClick = [this] { MENU_SAVE_MAP_Click(); };
  MENU_SAVEAS_MAP->onClick = [this] { MENU_SAVEAS_MAP_Click(); };
  MENU_IMPORT_TILED->onClick = [this] { MENU_IMPORT_TILED_Click(); };
  MENU_EXPORT_TILED->onClick = [this] { MENU_EXPORT_TILED_Click(); };
  MENU_DATA_VIEW->onClick = [this] { MENU_DATA_VIEW_Click(); };
  EDHUMRES->onClick = [this] { EDHUMRES_Click(); };
  EDCOMPRES->onClick = [this] { EDCOMPRES_Click(); };
  MENU_OVERVIEW->onClick = [this] { editor_.ShowOverview(); };
}

}  // namespace korvane
