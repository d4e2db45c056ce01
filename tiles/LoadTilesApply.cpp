#include <algorithm>
#include <optional>
#include <string>

#include "model/Numbers.h"
#include "render/TileGeometry.h"
#include "tiles/LoadTiles.h"

namespace korvane {

// The OK procedure. Every refusal happens before anything is stored, so a refused "Ok" leaves
// the editor and the open dialog exactly as they were.
bool LoadTiles::OkLoad_Click() {
  const std::optional<int16_t> size = ConvertTypedNumber(TileSize->Text());
  if (!size) return false;
  const std::optional<int16_t> spacing = ConvertTypedNumber(TileSpacing->Text());
  if (!spacing) return false;
  const std::optional<int16_t> offset = ConvertTypedNumber(TileOffset->Text());
  if (!offset) return false;

  toolkit::PicturePtr picture = Display->GetPicture();
  if (!picture || picture->WidthHimetric() == 0) return false;

  // The geometry as it would be applied. The dialog shares the palette's screen, so its pixel
  // measures are the ones CalculateTiles will find. A sheet whose tile rule leaves the 16-bit
  // model is refused rather than drawn wrongly.
  const auto candidate =
      ApplyTileSheet(*Display, picture, std::max<int16_t>(*size, 1), std::max<int16_t>(*spacing, 0),
                     std::max<int16_t>(*offset, 0));
  if (!candidate) return false;

  // Loading a closed palette empties the sheet settings, so it is loaded before they are stored.
  editor_.LoadTileView();
  MapGlobal& g = editor_.Global();
  g.TileSize = candidate->TileSize;
  g.TileSpacing = candidate->TileSpacing;
  g.TileOffset = candidate->TileOffset;
  g.TileSheet = std::move(picture);
  g.TileSheetFile = picturePath_;
  g.SelectedCount = 0;
  editor_.CalculateTiles();
  editor_.RefreshTileView();
  editor_.Main().Display->Refresh();
  editor_.DiscardLoadTiles();
  return true;
}

std::optional<std::string> LoadTiles::ApplyFile(const std::string& path, int16_t size,
                                                int16_t spacing, int16_t offset) {
  toolkit::PicturePtr picture = editor_.Toolkit().LoadPicture(path);
  if (!picture || picture->WidthHimetric() == 0) {
    editor_.DiscardLoadTiles();
    return "the editor's picture loader cannot read it";
  }
  Display->SetPicture(std::move(picture));
  picturePath_ = path;
  TileSize->SetText(std::to_string(size));
  TileSpacing->SetText(std::to_string(spacing));
  TileOffset->SetText(std::to_string(offset));
  if (OkLoad_Click()) return std::nullopt;
  editor_.DiscardLoadTiles();
  return "tiles of " + std::to_string(size) + " pixels with spacing " + std::to_string(spacing) +
         " and margin " + std::to_string(offset) + " do not fit the editor's tile sheets";
}

void LoadTiles::CheckBitmap() {
  if (!OkLoad_Click()) window->SetVisible(true);
}

}  // namespace korvane
