#pragma once

// What presses, drags and buttons on the main window do to the map: the work of the main
// window's tool handlers of the same names.

#include <cstdint>

#include "model/Symmetry.h"
#include "state/EditorWindows.h"

namespace korvane::tools {

// Tile mode: every press starts a new undo step and marks the map changed, then paints by the
// chosen painting mode. Overlay mode: places the catalogue's chosen entry.
void Display_MouseDown(EditorWindows& editor, int16_t button, int16_t shift, float x, float y);
// Normal painting while the left button is held down.
void Display_MouseMove(EditorWindows& editor, int16_t button, int16_t shift, float x, float y);
// Ends a "Drag Fill" stroke.
void Display_MouseUp(EditorWindows& editor, int16_t button, int16_t shift, float x, float y);
// Unchecking "Multiple Tiles" keeps only the first selected tile.
void MultipleTiles_Click(EditorWindows& editor);
void CommandUndo_Click(EditorWindows& editor);
void FloodFillMap_Click(EditorWindows& editor);
// An entry of the "Symmetry" menu: its mark alone is set, and a change of symmetry redraws the
// display once, with the new axes.
void MENU_SYMMETRY_Click(EditorWindows& editor, Symmetry mode);

}  // namespace korvane::tools
