#include "overlay/DatView.h"
#include "shell/Editor.h"
#include "shell/MapView.h"

namespace korvane {

DatView::DatView(Editor& editor) : editor_(editor) {
  using toolkit::Place;
  window =
      editor_.Toolkit().CreateWindow(toolkit::WindowKind::FixedTool, "Data Overlay", 3015, 2115);
  toolkit::Window& w = *window;
  Items = w.AddComboBox(Place{120, 120, 2775, 315});
  Items->AddItem("Remove");
  Items->SetItemData(0, 0);
  ID = w.AddLabel("ID Number:", Place{120, 600, 2775, 255});
  XSize = w.AddLabel("X-Size:", Place{120, 900, 2775, 255});
  YSize = w.AddLabel("Y-Size:", Place{120, 1200, 2775, 255});
  Remove = w.AddButton("Remove", Place{120, 1620, 1335, 375});
  Add = w.AddButton("Add", Place{1560, 1620, 1335, 375});
  Items->onClick = [this] { Items_Click(); };
  Remove->onClick = [this] { Remove_Click(); };
  Add->onClick = [this] { Add_Click(); };
}
DatView::~DatView() = default;
void DatView::Form_Load() {}
bool DatView::Form_QueryUnload() {
  return true;
}
void DatView::Items_Click() {}
void DatView::Add_Click() {}
void DatView::Remove_Click() {}
std::string DatView::CatalogueFile() const {
  return {};
}
void MapView::MENU_DATA_VIEW_Click() {}

}  // namespace korvane
