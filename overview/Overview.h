#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "model/CellWatcher.h"
#include "overview/OverviewScale.h"
#include "overview/TileColours.h"
#include "state/EditorWindows.h"
#include "toolkit/Window.h"

namespace korvane {

// The "Overview" window: the whole map, a pixel block of its tile's average colour per cell (or
// a pixel per sampled cell on a large map), the overlay's objects as dots and a frame around the
// cells the map display shows. A left press or drag moves the display to the page under the
// pointer.
//
// It follows the map through the layers' watcher (painted cells, fills, undo, a new map) and the
// view through ViewChanged (zoom, grid, page, sheet). Changes are gathered and drawn once control
// is back in the event loop: a few cells as their own pixels, many as one redraw.
class Overview final : public CellWatcher {
 public:
  explicit Overview(EditorWindows& editor);
  ~Overview();
  Overview(const Overview&) = delete;
  Overview& operator=(const Overview&) = delete;

  // Shows the window drawn whole, or brings it to the front when it is shown already.
  void Show();
  // The map display was drawn again: the view, the zoom, the grid or the sheet may differ.
  void ViewChanged();
  // Stops following the map, for a window that is closing.
  void StopWatching();
  // Draws what changed since the last time, now.
  void Update();

  void CellChanged(int32_t x, int32_t y) override;
  void AllCellsChanged() override;

  std::unique_ptr<toolkit::Window> window;
  toolkit::Surface* Display = nullptr;

  // Pending single cells beyond this many are drawn as one redraw of the whole window.
  static constexpr size_t kMostSingleCells = 256;

 private:
  void Form_Resize();
  void Display_Paint();
  void Display_Mouse(int16_t button, float x, float y, bool dragging);
  void Schedule();
  // The scale for the map and the window as they are now.
  OverviewScale Fit() const;
  // The pixels of the frame around the cells the display shows; none without a view.
  std::optional<toolkit::PixelRect> ShownPixels() const;
  // Draws the area of the picture (clipped to it) as it is now, in strips.
  void DrawArea(const toolkit::PixelRect& area);

  EditorWindows& editor_;
  TileColours colours_;
  OverviewScale scale_;
  std::optional<toolkit::PixelRect> frame_;
  std::vector<std::pair<int32_t, int32_t>> pendingCells_;
  bool allPending_ = false;
  bool viewPending_ = false;
  bool scheduled_ = false;
  // Expires with this object, so work handed to the event loop can tell it is gone.
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace korvane
