#pragma once

// The main window's exchange with the Tiled map editor: File > "Import Tiled Map..." and
// "Export to Tiled...", reading and writing as korvane-cli import and export do.

#include "state/EditorWindows.h"

namespace korvane::document {

// Asks as "Load Map" does before unsaved changes are lost, then reads a .tmx or .tmj into a new,
// unsaved map without a file name and applies its tileset picture as the sheet when it can. A
// refused map changes nothing and says why in one message.
void MENU_IMPORT_TILED_Click(EditorWindows& editor);
// Writes the map and the current sheet as a .tmx or .tmj; the document is left as it was. A
// failed write leaves no file behind and says why in one message.
void MENU_EXPORT_TILED_Click(EditorWindows& editor);

}  // namespace korvane::document
