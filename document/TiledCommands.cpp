#include "document/TiledCommands.h"

#include <cctype>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>

#include "document/FileMessages.h"
#include "formats/FormatTable.h"
#include "formats/PngFile.h"
#include "formats/TiledMapFile.h"
#include "model/SampleSheet.h"
#include "render/TileGeometry.h"

namespace korvane::document {

namespace {

using toolkit::MessageButtons;
using toolkit::MessageResult;

// The read-only check box of the file dialog stays hidden; a file that exists is asked about.
constexpr int32_t kHideReadOnly = 4;
constexpr int32_t kOverwritePrompt = 2;

// ".tmx" for a name ending so (in any case), else ".tmj".
const char* TiledExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".tmx" ? ".tmx" : ".tmj";
}

// Why the imported tileset cannot be the sheet; nullopt when it was applied.
std::optional<std::string> ApplyTileset(EditorWindows& editor, const TilesetFacts& tileset) {
  if (tileset.image.empty()) return "the tileset names no picture";
  const auto width = tileset.tileWidth.Whole();
  const auto height = tileset.tileHeight.Whole();
  if (!width || !height || *width < 1 || *width > 32767)
    return "the tileset gives no tile size the editor can use";
  if (*width != *height)
    return "its tiles are " + std::to_string(*width) + " x " + std::to_string(*height) +
           " pixels, not square";
  const auto spacing = tileset.spacing.Whole().value_or(0);
  const auto margin = tileset.margin.Whole().value_or(0);
  if (spacing < 0 || spacing > 32767 || margin < 0 || margin > 32767)
    return "the tileset's spacing or margin is out of range";
  return editor.ApplyTileSheetFile(tileset.image, int16_t(*width), int16_t(spacing),
                                   int16_t(margin));
}

// The sheet the map is drawn with, as the written map describes it and refers to it.
void DescribeSheet(const MapGlobal& g, const std::string& path, WriteContext& context) {
  const bool own = g.TileSize != 0 && !g.TileSheetFile.empty() && g.TileSheet && g.PixelTwipsX > 0;
  SheetSettings settings{kSampleTileSize, kSampleTileSpacing, 0};
  if (g.TileSize != 0) settings = SheetSettings{g.TileSize, g.TileSpacing, g.TileOffset};
  if (own) {
    // The picture's size in pixels of the screen it was applied on.
    const auto pixels = [](int32_t himetric, int16_t twipsPerPixel) {
      return int32_t(std::lround(HimetricToTwips(himetric) / twipsPerPixel));
    };
    context.sheet =
        LayOutSheetPixels(pixels(g.TileSheet->WidthHimetric(), g.PixelTwipsX),
                          pixels(g.TileSheet->HeightHimetric(), g.PixelTwipsY), settings);
    context.sheetImage = PathFromMap(path, g.TileSheetFile);
    context.tilesetName = std::filesystem::path(g.TileSheetFile).stem().string();
    return;
  }
  const toolkit::RgbImage sample = MakeSampleSheet();
  context.sheet = LayOutSheetPixels(sample.width, sample.height, settings);
  context.sheetPicturePath = SampleSheetPathFor(path);
  context.sheetImage = PathFromMap(path, context.sheetPicturePath);
  context.tilesetName = "sample";
  context.sheetPicture = EncodePng(sample).value_or(std::vector<uint8_t>{});
}

}  // namespace

void MENU_IMPORT_TILED_Click(EditorWindows& editor) {
  toolkit::Toolkit& tk = editor.Toolkit();
  MapViewState& view = editor.Main();
  if (view.Map.MapChanged == 1 &&
      tk.MessageBox(kLoseChangesQuestion, MessageButtons::YesNo) != MessageResult::Yes)
    return;
  const auto path = tk.FileDialog(toolkit::FileDialogSpec{
      toolkit::FileDialogMode::Open, "Tiled Map (*.tmx *.tmj)|*.tmx;*.tmj", "", kHideReadOnly});
  if (!path) return;
  auto read = ReadTiledMap(tk.Files(), *path, TiledExtension(*path));
  if (const auto* refusal = std::get_if<ReadRefusal>(&read)) {
    tk.ReportFailure(
        refusal->unreadable
            ? "The Tiled map \"" + *path + "\" could not be opened: " + refusal->reason + "."
            : "The Tiled map \"" + *path + "\" could not be imported. " + refusal->reason);
    return;
  }
  TiledMap& imported = std::get<TiledMap>(read);

  // As a loaded map: tile mode, nothing to undo; but new, so "Save Map" asks where.
  editor.ShowTileView();
  editor.HideDatView();
  view.EditMode = 0;
  imported.map.CurrentMapFile.clear();
  imported.map.MapChanged = 1;
  view.Map = std::move(imported.map);
  view.window->SetCaption("Korvane");

  if (const auto why = ApplyTileset(editor, imported.tileset))
    tk.ReportFailure("The tileset picture \"" + imported.tileset.image +
                     "\" was not applied as the tile sheet: " + *why +
                     ". The current sheet stays.");
  if (editor.Global().TileSize != 0)
    view.Display->Refresh();
  else
    editor.CheckBitmap();
}

void MENU_EXPORT_TILED_Click(EditorWindows& editor) {
  toolkit::Toolkit& tk = editor.Toolkit();
  const MapDocument& map = editor.Main().Map;
  if (map.MapWidth < 1) return;
  toolkit::FileDialogSpec dialog{toolkit::FileDialogMode::Save,
                                 "Tiled Map (*.tmx)|*.tmx|Tiled JSON Map (*.tmj)|*.tmj", ".tmx",
                                 kHideReadOnly | kOverwritePrompt, true};
  const auto path = tk.FileDialog(dialog);
  if (!path) return;
  const std::vector<CatalogueEntry> catalogue = editor.CatalogueEntries();
  WriteContext context;
  context.catalogue = &catalogue;
  DescribeSheet(editor.Global(), *path, context);
  const auto fail = [&tk, &path](const std::string& reason) {
    tk.ReportFailure("The map could not be exported to \"" + *path + "\": " + reason + ".");
  };
  if (!context.sheetPicturePath.empty() && context.sheetPicture.empty())
    return fail("the sample sheet could not be encoded");
  const MapFormat* format = FormatWithExtension(TiledExtension(*path));
  if (!format) return fail(std::string("this build writes no ") + TiledExtension(*path) + " files");
  const auto outputs = format->writer->Outputs(map, *path, context);
  if (const auto* refusal = std::get_if<std::string>(&outputs)) return fail(*refusal);
  if (const auto failure = WriteOutputs(tk.Files(), std::get<std::vector<FormatOutput>>(outputs)))
    return fail(failure->path == *path ? failure->reason : failure->path + ": " + failure->reason);
}

}  // namespace korvane::document
