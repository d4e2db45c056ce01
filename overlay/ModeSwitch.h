#pragma once

#include "state/EditorWindows.h"

namespace korvane::overlay {

// The main window's "Switch Mode": from tile mode (palette shown) to overlay mode (catalogue
// shown, markers drawn) and back.
void MENU_DATA_VIEW_Click(EditorWindows& editor);

}  // namespace korvane::overlay
