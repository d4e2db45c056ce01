#pragma once

// The main window's file commands and resource entries: the work of its handlers of the same
// names, on the map document the main window holds.

#include <string>

#include "state/EditorWindows.h"
#include "state/MapViewState.h"

namespace korvane::document {

// Reads a map file into the document, all or nothing: a file that cannot be opened or is not a
// map leaves the document, its file name, the caption and MapChanged as they were, and says why
// in one message. Always returns the editor to tile mode and gives up a map waiting from the
// command line.
void LoadMap(EditorWindows& editor, const std::string& MapFileName);
// Writes the document to a file (through a temporary file, so the old one stays whole until
// the new one is complete); true when the file was written and committed. A save that did not
// happen says why.
bool SaveNow(EditorWindows& editor, const std::string& savenowfile);
// Sets the main window's caption from the document's file name by the caption rule.
void SetCaptionFromFile(MapViewState& view);

void MENU_NEW_MAP_Click(EditorWindows& editor);
void MENU_LOAD_MAP_Click(EditorWindows& editor);
void MENU_LOAD_TILES_Click(EditorWindows& editor);
// True when the map was saved.
bool MENU_SAVE_MAP_Click(EditorWindows& editor);
void MENU_SAVEAS_MAP_Click(EditorWindows& editor);
// Asks before a window with unsaved changes closes; false keeps it open.
bool Form_QueryUnload(EditorWindows& editor);
// Closes the companion windows and ends the program.
void Form_Unload(EditorWindows& editor);
void EDHUMRES_Click(EditorWindows& editor);
void EDCOMPRES_Click(EditorWindows& editor);

}  // namespace korvane::document
