#include "overlay/ModeSwitch.h"

namespace korvane::overlay {

void MENU_DATA_VIEW_Click(EditorWindows& editor) {
  MapViewState& view = editor.Main();
  if (editor.TileViewVisible()) {
    editor.HideTileView();
    editor.ShowDatView();  // loads the catalogue afresh if it was closed
    view.EditMode = 1;
  } else {
    // Hiding a catalogue that is not loaded would only load it to hide it again.
    editor.HideDatView();
    editor.ShowTileView();
    view.EditMode = 0;
  }
  view.Display->Refresh();  // overlay markers appear or disappear
}

}  // namespace korvane::overlay
