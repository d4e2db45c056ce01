#pragma once

// Whole maps as pictures: the map painter drawing every cell onto an image surface, as one map
// display large enough for the whole map would show it (korvane-cli render, and the sides of
// diff's picture), and the overview of one colour a cell.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "model/CellRect.h"
#include "model/MapDocument.h"
#include "model/Progress.h"
#include "model/TileRule.h"
#include "render/MapPainter.h"
#include "render/TileSheetSetup.h"
#include "toolkit/Imaging.h"

namespace korvane {

// The largest picture made, and how it is drawn.
struct PictureLimits {
  int32_t maxSide = 32767;
  int64_t maxBytes = int64_t{1} << 30;
  // About how many pixel rows are drawn between two reports of progress.
  int32_t stripPixels = 1024;
};

// Why a picture of width x height pixels is too large to make, in one sentence naming the
// command (`render` or `diff`); nullopt when it fits the limits.
std::optional<std::string> PictureSizeProblem(int64_t width, int64_t height,
                                              const PictureLimits& limits, const char* command);

// How a map is to look: the sheet, how it is cut, and the view's zoom, grid and mode.
struct MapPictureStyle {
  toolkit::PicturePtr sheet;
  SheetSettings settings;
  int16_t zoom = 1;
  bool grid = false;
  bool overlay = false;
};

// The style applied to a surface, as the editor applies a sheet on its screen and shows a map:
// the sheet's measures, the colours of the map display, and a cell's pitch in whole pixels.
class MapPicture {
 public:
  // Refuses, in one sentence, a sheet the editor would refuse on the surface's screen or one
  // without a whole tile, and a screen whose cells are no whole number of pixels.
  static std::variant<MapPicture, std::string> Prepare(toolkit::ImageSurface& surface,
                                                       const MapPictureStyle& style);

  int32_t PitchX() const { return pitchX_; }
  int32_t PitchY() const { return pitchY_; }

  // Makes the surface `cells` large (refused beyond the limits, naming `command`, or without
  // the memory) and draws those cells of the map into it, strip by strip, cell (left, top) at
  // the top-left corner. Cells outside the map keep the background.
  std::optional<std::string> Draw(const MapDocument& map, const CellRect& cells,
                                  const PictureLimits& limits, const char* command,
                                  const ProgressFn& progress) const;

 private:
  MapPicture(toolkit::ImageSurface& surface, const TileSheetSetup& sheet, const MapPictureStyle& s);

  toolkit::ImageSurface* surface_;
  std::shared_ptr<const TileSheetSetup> sheet_;
  int16_t zoom_;
  bool grid_;
  bool overlay_;
  int32_t pitchX_ = 0;
  int32_t pitchY_ = 0;
};

// The overview of a map: every cell a cellPixels x cellPixels block of its tile's average colour
// on the sheet (see ops/Overview.h), made on a new surface of `imaging`. Refused beyond the
// limits (naming `render`) or without the memory.
std::variant<std::unique_ptr<toolkit::ImageSurface>, std::string> DrawOverviewPicture(
    toolkit::Imaging& imaging, const MapDocument& map, const toolkit::Picture& sheet,
    const SheetLayout& layout, int32_t cellPixels, const PictureLimits& limits,
    const ProgressFn& progress);

}  // namespace korvane
