#include "shell/MapView.h"

namespace korvane {

void MapView::LoadMap(const std::string&) {}
bool MapView::SaveNow(const std::string&) {
  return false;
}
void MapView::MENU_NEW_MAP_Click() {}
void MapView::MENU_LOAD_MAP_Click() {}
void MapView::MENU_LOAD_TILES_Click() {}
bool MapView::MENU_SAVE_MAP_Click() {
  return false;
}
void MapView::MENU_SAVEAS_MAP_Click() {}
bool MapView::Form_QueryUnload() {
  return true;
}
void MapView::Form_Unload() {}
void MapView::EDHUMRES_Click() {}
void MapView::EDCOMPRES_Click() {}
void MapView::SetCaptionFromFile() {}

}  // namespace korvane
