// The File menu of the main window and the question before the window closes.

#include "document/FileCommands.h"

#include <optional>
#include <string>

#include "document/FileMessages.h"
#include "model/Grid16.h"
#include "model/Numbers.h"

namespace korvane::document {

namespace {

using toolkit::MessageButtons;
using toolkit::MessageResult;

// The read-only check box of the file dialog stays hidden.
constexpr int32_t kHideReadOnly = 4;

std::optional<std::string> AskForMapFile(toolkit::Toolkit& tk, toolkit::FileDialogMode mode) {
  return tk.FileDialog(
      toolkit::FileDialogSpec{mode, "Map File (*.map)|*.map", ".map", kHideReadOnly});
}

// A side of a new map; nullopt when the answer is refused.
std::optional<int16_t> AskForSide(toolkit::Toolkit& tk, const char* prompt) {
  const auto side = ConvertTypedNumber(tk.InputBox(prompt, "New Map"));
  if (!side || *side < 1) return std::nullopt;
  return side;
}

}  // namespace

void MENU_NEW_MAP_Click(EditorWindows& editor) {
  MapViewState& view = editor.Main();
  toolkit::Toolkit& tk = editor.Toolkit();
  if (view.Map.MapChanged == 1 &&
      tk.MessageBox(kLoseChangesQuestion, MessageButtons::YesNo) != MessageResult::Yes)
    return;
  const auto width = AskForSide(tk, "Please enter the width of the map in tiles:");
  if (!width) return;
  const auto height = AskForSide(tk, "Please enter the height of the map in tiles:");
  if (!height) return;

  // Every layer is allocated before the document is touched: when memory runs out the command
  // ends and the previous map stays as it was.
  auto tiles = Grid16::TryCreate(*width, *height);
  if (!tiles) return;
  auto overlay = OverlayLayer::TryCreate(*width, *height);
  if (!overlay) return;

  // A new map has no file yet and counts as changed until it is saved.
  MapDocument fresh;
  fresh.MapWidth = *width;
  fresh.MapHeight = *height;
  fresh.MapTiles = TileLayer(std::move(*tiles));
  fresh.OverlayData = std::move(*overlay);
  fresh.MapChanged = 1;
  view.Map = std::move(fresh);
  view.window->SetCaption("Korvane");

  if (editor.Global().TileSize != 0)
    view.Display->Refresh();
  else
    editor.CheckBitmap();
}

void MENU_LOAD_MAP_Click(EditorWindows& editor) {
  toolkit::Toolkit& tk = editor.Toolkit();
  if (editor.Main().Map.MapChanged == 1 &&
      tk.MessageBox(kLoseChangesQuestion, MessageButtons::YesNo) != MessageResult::Yes)
    return;
  const auto path = AskForMapFile(tk, toolkit::FileDialogMode::Open);
  if (!path) return;
  LoadMap(editor, *path);
}

void MENU_LOAD_TILES_Click(EditorWindows& editor) {
  editor.ShowLoadTiles();
}

bool MENU_SAVE_MAP_Click(EditorWindows& editor) {
  const MapDocument& map = editor.Main().Map;
  if (map.MapWidth < 1) return false;
  if (!map.CurrentMapFile.empty()) return SaveNow(editor, map.CurrentMapFile);
  const auto path = AskForMapFile(editor.Toolkit(), toolkit::FileDialogMode::Save);
  if (!path) return false;
  return SaveNow(editor, *path);
}

void MENU_SAVEAS_MAP_Click(EditorWindows& editor) {
  if (editor.Main().Map.MapWidth < 1) return;
  const auto path = AskForMapFile(editor.Toolkit(), toolkit::FileDialogMode::Save);
  if (!path) return;
  SaveNow(editor, *path);
}

bool Form_QueryUnload(EditorWindows& editor) {
  if (editor.Main().Map.MapChanged != 1) return true;
  switch (
      editor.Toolkit().MessageBox("Do you want to save this map?", MessageButtons::YesNoCancel)) {
    case MessageResult::Yes:
      // A save that was cancelled or failed keeps the window open, so the changes are not lost.
      return MENU_SAVE_MAP_Click(editor);
    case MessageResult::No:
      return true;
    default:  // Cancel
      return false;
  }
}

void Form_Unload(EditorWindows& editor) {
  editor.DiscardLoadTiles();
  editor.DiscardTileView();
  editor.UnloadDatView();
  editor.Toolkit().Quit();
}

}  // namespace korvane::document
