#include "overlay/DatView.h"
#include "shell/Editor.h"
#include "shell/MapView.h"

namespace korvane {

DatView::DatView(Editor& editor) : editor_(editor) {
  window = editor_.Toolkit().CreateWindow(toolkit::WindowKind::FixedTool, "Data Overlay", 3000, 3000);
}
DatView::~DatView() = default;
void DatView::Form_Load() {}
bool DatView::Form_QueryUnload() { return true; }
void DatView::Items_Click() {}
void DatView::Add_Click() {}
void DatView::Remove_Click() {}
std::string DatView::CatalogueFile() const { return {}; }
void MapView::MENU_DATA_VIEW_Click() {}

}  // namespace korvane
