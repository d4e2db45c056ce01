// Moving the map document between memory and its file: LoadMap, SaveNow and the caption.

#include <utility>
#include <variant>

#include "document/CaptionRule.h"
#include "document/FileMessages.h"
#include "document/MapFile.h"
#include "formats/AtomicFile.h"
#include "overlay/DatView.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "state/MapGlobal.h"
#include "tiles/LoadTiles.h"
#include "tiles/TileView.h"

namespace korvane {

void MapView::SetCaptionFromFile() {
  window->SetCaption(MapCaption(Map.CurrentMapFile));
}

bool MapView::SaveNow(const std::string& savenowfile) {
  if (Map.MapWidth < 1) return false;
  const std::string path = savenowfile;  // the caller may pass CurrentMapFile itself
  // Checked before the disk is touched; the bytes then go from the layers straight to the file.
  toolkit::Toolkit& tk = editor_.Toolkit();
  const auto writer = MapFileWriter::For(Map.HumanResources, Map.ComputerResources,
                                         Map.MapTiles.Tiles(), Map.OverlayData);
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
  Map.MapChanged = 0;
  Map.CurrentMapFile = path;
  SetCaptionFromFile();
  return true;
}

void MapView::LoadMap(const std::string& MapFileName) {
  // Copy first: the caller may hand in StartupMapFile, which is emptied next.
  const std::string path = MapFileName;
  // Emptied before anything can repaint, so a waiting command-line map is loaded only once.
  StartupMapFile.clear();
  editor_.Toolkit().DoEvents();

  // A load always returns the editor to tile mode.
  editor_.tileView().window->SetVisible(true);
  if (editor_.HasDatView()) editor_.datView().window->SetVisible(false);
  EditMode = 0;

  // Reading never creates a file, and a file that cannot be read or parsed leaves the document,
  // its file name, the caption and MapChanged exactly as they were, and says why.
  toolkit::Toolkit& tk = editor_.Toolkit();
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
  Map = std::move(*map);
  SetCaptionFromFile();

  if (global().TileSize != 0)
    Display->Refresh();
  else
    editor_.loadTiles().CheckBitmap();
}

}  // namespace korvane
