#include "shell/Editor.h"
#include "tiles/LoadTiles.h"

namespace korvane {

LoadTiles::LoadTiles(Editor& editor) : editor_(editor) {
  window = editor_.Toolkit().CreateWindow(toolkit::WindowKind::FixedDialog, "Load Tiles", 8175, 6000);
}
LoadTiles::~LoadTiles() = default;
void LoadTiles::Form_Load() {}
void LoadTiles::LoadPic_Click() {}
bool LoadTiles::OkLoad_Click() { return false; }
void LoadTiles::CancelLoad_Click() {}
void LoadTiles::CheckBitmap() {}

}  // namespace korvane
