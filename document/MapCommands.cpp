// Moving the map document between memory and its file: LoadMap, SaveNow and the caption.

#include <utility>
#include <variant>

#include "document/CaptionRule.h"
#include "document/FileCommands.h"
#include "document/FileMessages.h"
#include "formats/AtomicFile.h"
#include "formats/MapFile.h"

namespace korvane::document {

void SetCaptionFromFile(MapViewState& view) {
  view.window->SetCaption(MapCaption(view.Map.CurrentMapFile));
}

bool SaveNow(EditorWindows& editor, const std::string& savenowfile) {
  MapViewState& view = editor.Main();
  MapDocument& map = view.Map;
  if (map.MapWidth < 1) return false;
  const std::string path = savenowfile;  // the caller may pass CurrentMapFile itself
  // Checked before the disk is touched; the bytes then go from the layers straight to the file.
  toolkit::Toolkit& tk = editor.Toolkit();
  const auto writer = MapFileWriter::For(map.HumanResources, map.ComputerResources,
                                         map.MapTiles.Tiles(), map.OverlayData);
  if (!writer) {
    tk.ReportFailure(SaveFailedMessage(path, kTooManyObjects));
    return false;
  }
  // The old file stays whole until the new one is complete on the disk, and the document is
  // marked saved only once it is.
  const auto write = [&writer](toolkit::OutputFile& file) {
    return writer->WriteTo([&file](std::span<const uint8_t> piece) { return file.Write(piece); });
  };
  // A save that did not happen is never silent: the designer would believe the work is on disk.
  toolkit::FileError error;
  if (!WriteFileAtomically(tk.Files(), path, write, error)) {
    tk.ReportFailure(SaveFailedMessage(path, error.reason));
    return false;
  }
  map.MapChanged = 0;
  map.CurrentMapFile = path;
  SetCaptionFromFile(view);
  return true;
}

void LoadMap(EditorWindows& editor, const std::string& MapFileName) {
  MapViewState& view = editor.Main();
  // Copy first: the caller may hand in StartupMapFile, which is emptied next.
  const std::string path = MapFileName;
  // Emptied before anything can repaint, so a waiting command-line map is loaded only once.
  view.StartupMapFile.clear();
  editor.Toolkit().DoEvents();

  // A load always returns the editor to tile mode.
  editor.ShowTileView();
  editor.HideDatView();
  view.EditMode = 0;

  // Reading never creates a file, and a file that cannot be read or parsed leaves the document,
  // its file name, the caption and MapChanged exactly as they were, and says why.
  toolkit::Toolkit& tk = editor.Toolkit();
  toolkit::FileError error;
  const auto file = tk.Files().OpenForReading(path, error);
  if (!file) {
    tk.ReportFailure(OpenFailedMessage(path, error.reason));
    return;
  }
  MapFileParseResult parsed = ReadMapFile(*file);
  auto* map = std::get_if<MapDocument>(&parsed);
  if (!map) {
    tk.ReportFailure(NotAMapMessage(path, std::get<MapFileError>(parsed)));
    return;
  }

  // The document read is whole, saved, and its tile layer's undo copy equals it: Undo right
  // after a load changes nothing.
  map->CurrentMapFile = path;
  map->MapChanged = 0;
  view.Map = std::move(*map);
  SetCaptionFromFile(view);

  if (editor.Global().TileSize != 0)
    view.Display->Refresh();
  else
    editor.CheckBitmap();
}

}  // namespace korvane::document
