#include <algorithm>
#include <optional>

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
  g.SelectedCount = 0;
  editor_.CalculateTiles();
  editor_.RefreshTileView();
  editor_.Main().Display->Refresh();
  editor_.DiscardLoadTiles();
  return true;
}

void LoadTiles::CheckBitmap() {
  if (!OkLoad_Click()) window->SetVisible(true);
}

}  // namespace korvane
