#include "overview/Overview.h"

#include <algorithm>
#include <cmath>

#include "overview/OverviewPicture.h"
#include "render/MapPainter.h"

namespace korvane {

namespace {

// A square window of 256 pixels at 15 twips per pixel.
constexpr float kClientTwips = 3840;
// Rows drawn per call to the surface: the only pixels held besides the window's own.
constexpr int kStripRows = 64;

}  // namespace

Overview::Overview(EditorWindows& editor) : editor_(editor) {
  toolkit::Toolkit& tk = editor.Toolkit();
  window =
      tk.CreateWindow(toolkit::WindowKind::SizableTool, "Overview", kClientTwips, kClientTwips);
  window->Move(static_cast<float>(tk.ScreenWidth() * 0.6),
               static_cast<float>(tk.ScreenHeight() * 0.5));
  Display = window->AddSurface(toolkit::Place{0, 0, kClientTwips, kClientTwips});
  SetMapDisplayColours(*Display);
  window->onResize = [this] { Form_Resize(); };
  Display->onPaint = [this] { Display_Paint(); };
  Display->onMouseDown = [this](int16_t b, int16_t, float x, float y) {
    Display_Mouse(b, x, y, false);
  };
  Display->onMouseMove = [this](int16_t b, int16_t, float x, float y) {
    Display_Mouse(b, x, y, true);
  };
  MapDocument& map = editor_.Main().Map;
  map.MapTiles.SetWatcher(this);
  map.OverlayData.SetWatcher(this);
}

Overview::~Overview() {
  StopWatching();
}

void Overview::StopWatching() {
  MapDocument& map = editor_.Main().Map;
  if (map.MapTiles.Watcher() == this) map.MapTiles.SetWatcher(nullptr);
  if (map.OverlayData.Watcher() == this) map.OverlayData.SetWatcher(nullptr);
}

void Overview::Show() {
  if (window->Visible()) {
    window->BringToFront();
    return;
  }
  window->SetVisible(true);
  Display->Refresh();
}

void Overview::Form_Resize() {
  if (window->Minimized()) return;
  const toolkit::Place place{0, 0, window->ScaleWidth(), window->ScaleHeight()};
  if (Display->GetPlace() == place) return;
  Display->SetPlace(place);
  Display->Refresh();
}

void Overview::CellChanged(int32_t x, int32_t y) {
  // On a map larger than the window most cells are under no pixel's centre: a change there
  // shows nowhere, and costs a press nothing more.
  if (!allPending_ && scale_.cellPixels == 0 && !scale_.Empty() &&
      scale_.PixelsOf(x, y, 1, 1).Empty())
    return;
  if (!allPending_) {
    if (pendingCells_.size() < kMostSingleCells)
      pendingCells_.emplace_back(x, y);
    else
      AllCellsChanged();
  }
  Schedule();
}

void Overview::AllCellsChanged() {
  allPending_ = true;
  pendingCells_.clear();
  pendingCells_.shrink_to_fit();
  Schedule();
}

void Overview::ViewChanged() {
  viewPending_ = true;
  Schedule();
}

void Overview::Schedule() {
  if (scheduled_) return;
  scheduled_ = true;
  std::weak_ptr<int> alive = alive_;
  editor_.Toolkit().RunLater([this, alive] {
    if (alive.expired()) return;
    scheduled_ = false;
    Update();
  });
}

void Overview::Update() {
  if (!window->Visible()) return;  // showing it draws it whole
  const bool sheetChanged = colours_.Update(editor_.Toolkit(), editor_.Global());
  const OverviewScale now = Fit();
  if (allPending_ || sheetChanged || now.width != scale_.width || now.height != scale_.height ||
      now.mapWidth != scale_.mapWidth || now.mapHeight != scale_.mapHeight) {
    Display->Refresh();
    return;
  }
  for (const auto& [x, y] : pendingCells_) DrawArea(scale_.PixelsOf(x, y, 1, 1));
  pendingCells_.clear();
  if (viewPending_) {
    viewPending_ = false;
    const std::optional<toolkit::PixelRect> shown = ShownPixels();
    if (shown != frame_) {
      const std::optional<toolkit::PixelRect> old = frame_;
      frame_ = shown;
      if (old)
        for (const toolkit::PixelRect& side : FrameSides(*old, scale_)) DrawArea(side);
      if (shown)
        for (const toolkit::PixelRect& side : FrameSides(*shown, scale_)) DrawArea(side);
    }
  }
}

// The whole window: the surface was just cleared to the background.
void Overview::Display_Paint() {
  colours_.Update(editor_.Toolkit(), editor_.Global());
  scale_ = Fit();
  frame_ = ShownPixels();
  allPending_ = false;
  viewPending_ = false;
  pendingCells_.clear();
  DrawArea({0, 0, scale_.width, scale_.height});
}

OverviewScale Overview::Fit() const {
  const MapDocument& map = editor_.Main().Map;
  const auto across = static_cast<int32_t>(Display->ScaleX(
      Display->ScaleWidth(), toolkit::ScaleUnit::Twips, toolkit::ScaleUnit::Pixels));
  const auto down = static_cast<int32_t>(Display->ScaleY(
      Display->ScaleHeight(), toolkit::ScaleUnit::Twips, toolkit::ScaleUnit::Pixels));
  return FitOverview(map.MapWidth, map.MapHeight, across, down);
}

std::optional<toolkit::PixelRect> Overview::ShownPixels() const {
  const MapViewState& view = editor_.Main();
  if (scale_.Empty() || editor_.Global().TileSize < 1 || view.ViewCols < 1 || view.ViewRows < 1)
    return std::nullopt;
  const int32_t left = std::clamp<int32_t>(view.ViewFirstCol, 0, scale_.mapWidth - 1);
  const int32_t top = std::clamp<int32_t>(view.ViewFirstRow, 0, scale_.mapHeight - 1);
  const int32_t right = std::min<int32_t>(left + view.ViewCols, scale_.mapWidth);
  const int32_t bottom = std::min<int32_t>(top + view.ViewRows, scale_.mapHeight);
  toolkit::PixelRect r = scale_.PixelsOf(left, top, right - left, bottom - top);
  // A view smaller than a pixel still gets a frame of one pixel.
  r.x = std::min(r.x, scale_.width - 1);
  r.y = std::min(r.y, scale_.height - 1);
  r.width = std::max(r.width, 1);
  r.height = std::max(r.height, 1);
  return r;
}

void Overview::DrawArea(const toolkit::PixelRect& wanted) {
  const int x0 = std::max(0, wanted.x), y0 = std::max(0, wanted.y);
  const int x1 = std::min(scale_.width, wanted.x + wanted.width);
  const int y1 = std::min(scale_.height, wanted.y + wanted.height);
  if (x1 <= x0 || y1 <= y0) return;
  const int width = x1 - x0;
  std::vector<uint32_t> strip(static_cast<size_t>(width) *
                              static_cast<size_t>(std::min(kStripRows, y1 - y0)));
  const OverviewSource source{editor_.Main().Map, scale_, colours_.Colours(), frame_};
  const float twipsX = Display->ScaleX(1, toolkit::ScaleUnit::Pixels, toolkit::ScaleUnit::Twips);
  const float twipsY = Display->ScaleY(1, toolkit::ScaleUnit::Pixels, toolkit::ScaleUnit::Twips);
  for (int y = y0; y < y1; y += kStripRows) {
    const int rows = std::min(kStripRows, y1 - y);
    const toolkit::PixelRows<uint32_t> out{strip.data(), width, rows, width};
    DrawOverviewPixels(source, {x0, y, width, rows}, out);
    Display->PutPixels(static_cast<float>(x0) * twipsX, static_cast<float>(y) * twipsY,
                       toolkit::PixelRows<const uint32_t>{strip.data(), width, rows, width});
  }
}

void Overview::Display_Mouse(int16_t button, float x, float y, bool dragging) {
  if (button != toolkit::kLeftButton) return;
  MapViewState& view = editor_.Main();
  if (scale_.Empty() || view.ViewCols < 1 || view.ViewRows < 1 || editor_.Global().TileSize < 1)
    return;
  auto px = static_cast<int32_t>(
      std::floor(Display->ScaleX(x, toolkit::ScaleUnit::Twips, toolkit::ScaleUnit::Pixels)));
  auto py = static_cast<int32_t>(
      std::floor(Display->ScaleY(y, toolkit::ScaleUnit::Twips, toolkit::ScaleUnit::Pixels)));
  const bool inside = px >= 0 && py >= 0 && px < scale_.width && py < scale_.height;
  // A press must land on the map; a drag that leaves it keeps to the nearest edge.
  if (!inside && !dragging) return;
  px = std::clamp(px, 0, scale_.width - 1);
  py = std::clamp(py, 0, scale_.height - 1);
  const int32_t cellX = scale_.ColumnCell(px);
  const int32_t cellY = scale_.RowCell(py);
  view.HScroll->SetValue(static_cast<int16_t>(cellX / view.ViewCols + 1));
  view.VScroll->SetValue(static_cast<int16_t>(cellY / view.ViewRows + 1));
}

}  // namespace korvane
