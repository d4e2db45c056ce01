#include "overlay/DatView.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tiles/TileView.h"

namespace korvane {

void MapView::MENU_DATA_VIEW_Click() {
  Editor& editor = editor_;
  if (editor.TileViewVisible()) {
    editor.tileView().window->SetVisible(false);
    editor.datView().window->SetVisible(true);  // loads the catalogue afresh if it was closed
    EditMode = 1;
  } else {
    // Hiding a catalogue that is not loaded would only load it to hide it again.
    if (editor.HasDatView()) editor.datView().window->SetVisible(false);
    editor.tileView().window->SetVisible(true);
    EditMode = 0;
  }
  Display->Refresh();  // overlay markers appear or disappear
}

}  // namespace korvane
