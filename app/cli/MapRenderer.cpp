#include "app/cli/MapRenderer.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

#include "app/cli/CliToolkit.h"
#include "shell/Editor.h"
#include "shell/MapView.h"
#include "state/MapGlobal.h"
#include "tiles/LoadTiles.h"
#include "toolkit/qt/QtBlit.h"
#include "toolkit/qt/QtSurface.h"

namespace korvane::cli {

namespace {

using toolkit::ScaleUnit;

// One cell's pitch on the display in whole pixels; 0 when the screen's twips do not divide into
// whole pixels, where pages could not be joined without seams.
int32_t WholePixels(int32_t twips, float twipsPerPixel) {
  const double pixels = twips / static_cast<double>(twipsPerPixel);
  const double whole = std::round(pixels);
  return std::fabs(pixels - whole) < 1e-3 ? static_cast<int32_t>(whole) : 0;
}

// How many cells beyond a page's edge can still draw into it: overlay numbers wider or taller
// than their tile spill into the neighbouring cells. Tiles never leave their own cell.
int32_t SpillCells(float textExtent, int32_t tileTwips, int32_t pitchTwips) {
  const double spill = std::max(0.0, (static_cast<double>(textExtent) - tileTwips) / 2);
  return static_cast<int32_t>(std::ceil(spill / pitchTwips)) + 1;
}

// The widest text an overlay value can have: five of the widest digit.
float WidestNumber(const toolkit::Surface& display) {
  float widest = 0;
  for (char digit = '0'; digit <= '9'; ++digit)
    widest = std::max(widest, display.TextWidth(std::string(5, digit)));
  return widest;
}

// The part of the tile layer from (x0, y0), w x h cells.
Grid16 Window(const Grid16& layer, int32_t x0, int32_t y0, int32_t w, int32_t h) {
  Grid16 part = *Grid16::TryCreate(w, h);
  for (int32_t y = 0; y < h; ++y)
    std::copy_n(layer.Cells().begin() + static_cast<std::ptrdiff_t>(layer.Index(x0, y0 + y)), w,
                part.Cells().begin() + static_cast<std::ptrdiff_t>(part.Index(0, y)));
  return part;
}

class Renderer {
 public:
  Renderer(const MapDocument& map, const RenderRequest& request, const RenderLimits& limits)
      : map_(map),
        request_(request),
        limits_(limits),
        toolkit_(request.catalogue),
        editor_(toolkit_) {}

  std::variant<QImage, std::string> Run(const ProgressFn& progress) {
    editor_.Start();
    QCoreApplication::processEvents();
    if (auto problem = ApplySheet()) return *problem;
    MapView& view = editor_.mapView();
    if (request_.zoom == 2) view.MapZoom_Click();
    if (request_.grid) view.Grid_Click();
    if (request_.overlay) view.MENU_DATA_VIEW_Click();
    if (auto problem = Measure()) return *problem;
    return DrawPages(progress);
  }

 private:
  // The sheet goes in as a designer applies one: picture and numbers into the dialog, then "Ok".
  std::optional<std::string> ApplySheet() {
    LoadTiles& dialog = editor_.loadTiles();
    if (!request_.sheetPath.empty()) {
      toolkit::PicturePtr picture = toolkit_.LoadPicture(request_.sheetPath);
      if (!picture) return "cannot read the tile sheet " + request_.sheetPath + " as a picture.";
      dialog.Display->SetPicture(std::move(picture));
    }
    dialog.TileSize->SetText(std::to_string(request_.sheet.tileSize));
    dialog.TileSpacing->SetText(std::to_string(request_.sheet.spacing));
    dialog.TileOffset->SetText(std::to_string(request_.sheet.offset));
    if (!dialog.OkLoad_Click())
      return std::string("The editor refuses this tile sheet geometry on this screen.");
    if (editor_.Global().TileCount < 1) return std::string("The tile sheet holds no whole tile.");
    return std::nullopt;
  }

  std::optional<std::string> Measure() {
    MapView& view = editor_.mapView();
    const toolkit::Surface& display = *view.Display;
    pitchX_ =
        WholePixels(view.CellTwipsX(), display.ScaleX(1, ScaleUnit::Pixels, ScaleUnit::Twips));
    pitchY_ =
        WholePixels(view.CellTwipsY(), display.ScaleY(1, ScaleUnit::Pixels, ScaleUnit::Twips));
    if (pitchX_ < 1 || pitchY_ < 1)
      return std::string("The screen's resolution does not give whole pixels per map cell.");
    const int64_t width = int64_t{map_.MapWidth} * pitchX_;
    const int64_t height = int64_t{map_.MapHeight} * pitchY_;
    if (auto problem = ImageSizeProblem(width, height, limits_, "render")) return problem;

    const MapGlobal& g = editor_.Global();
    if (request_.overlay) {
      marginX_ = SpillCells(WidestNumber(display), int32_t{view.MapZoomFactor} * g.TileTwipsX,
                            view.CellTwipsX());
      marginY_ = SpillCells(display.TextHeight("0"), int32_t{view.MapZoomFactor} * g.TileTwipsY,
                            view.CellTwipsY());
    }
    pageCols_ = std::clamp<int32_t>(limits_.pagePixels / pitchX_ - 2 * marginX_, 1, map_.MapWidth);
    pageRows_ = std::clamp<int32_t>(limits_.pagePixels / pitchY_ - 2 * marginY_, 1, map_.MapHeight);
    return std::nullopt;
  }

  // Gives the map display room for exactly cols x rows cells, the window around it too.
  void SizeDisplay(int32_t cols, int32_t rows) {
    MapView& view = editor_.mapView();
    const float width = static_cast<float>(int64_t{cols} * view.CellTwipsX());
    const float height = static_cast<float>(int64_t{rows} * view.CellTwipsY());
    toolkit::Window& window = *view.window;
    window.SetWidth(window.Width() - window.ScaleWidth() + width + kScrollBarThickness);
    window.SetHeight(window.Height() - window.ScaleHeight() + height + kToolStripHeight +
                     kScrollBarThickness);
    QCoreApplication::processEvents();
    // The window may be held to the screen's size; the display itself takes any size.
    view.Display->SetPlace(toolkit::Place{0, kToolStripHeight, width, height});
  }

  std::variant<QImage, std::string> DrawPages(const ProgressFn& progress) {
    MapView& view = editor_.mapView();
    const int32_t displayCols = pageCols_ + 2 * marginX_;
    const int32_t displayRows = pageRows_ + 2 * marginY_;
    SizeDisplay(displayCols, displayRows);
    if (view.CellsAcross(view.Display->ScaleWidth()) != displayCols ||
        view.CellsDown(view.Display->ScaleHeight()) != displayRows)
      return std::string("The map display cannot be given the size of a page.");

    // Every page fits the display, so both scroll bars stay at one page. Settling them there
    // now keeps a change of their range from redrawing the display in the middle of a page's
    // drawing, which would draw the overlay numbers twice, darkening their smoothed edges.
    for (toolkit::ScrollBar* bar : {view.HScroll, view.VScroll}) {
      bar->SetMin(1);
      bar->SetMax(1);
      bar->SetValue(1);
    }

    QImage image(map_.MapWidth * pitchX_, map_.MapHeight * pitchY_, QImage::Format_RGB32);
    if (image.isNull()) return std::string("There is not enough memory for the image.");
    const auto* surface = static_cast<const qt::QtSurface*>(view.Display);

    const int32_t pagesAcross = (map_.MapWidth + pageCols_ - 1) / pageCols_;
    const int32_t pagesDown = (map_.MapHeight + pageRows_ - 1) / pageRows_;
    const int64_t pages = int64_t{pagesAcross} * pagesDown;
    int64_t done = 0;
    for (int32_t y0 = 0; y0 < map_.MapHeight; y0 += pageRows_) {
      for (int32_t x0 = 0; x0 < map_.MapWidth; x0 += pageCols_) {
        // The page with its border of neighbours, cut at the map's edges.
        const int32_t left = std::max(0, x0 - marginX_);
        const int32_t top = std::max(0, y0 - marginY_);
        const int32_t right = std::min<int32_t>(map_.MapWidth, x0 + pageCols_ + marginX_);
        const int32_t bottom = std::min<int32_t>(map_.MapHeight, y0 + pageRows_ + marginY_);
        view.Map.MapWidth = static_cast<int16_t>(right - left);
        view.Map.MapHeight = static_cast<int16_t>(bottom - top);
        view.Map.MapTiles =
            TileLayer(Window(map_.MapTiles.Tiles(), left, top, right - left, bottom - top));
        view.Map.OverlayData = map_.OverlayData.Window(left, top, right - left, bottom - top);
        view.Display->Refresh();

        const QImage& shown = surface->Image();
        const int32_t cols = std::min(pageCols_, map_.MapWidth - x0);
        const int32_t rows = std::min(pageRows_, map_.MapHeight - y0);
        // The display's image and the output hold the same 32-bit pixels: a plain copy.
        qt::BlitPlainCopy(
            image, QRect(x0 * pitchX_, y0 * pitchY_, cols * pitchX_, rows * pitchY_), shown,
            QRect((x0 - left) * pitchX_, (y0 - top) * pitchY_, cols * pitchX_, rows * pitchY_));
        if (progress) progress(++done, pages);
      }
    }
    return image;
  }

  const MapDocument& map_;
  const RenderRequest& request_;
  const RenderLimits limits_;
  CliToolkit toolkit_;
  Editor editor_;
  int32_t pitchX_ = 0;
  int32_t pitchY_ = 0;
  int32_t marginX_ = 0;
  int32_t marginY_ = 0;
  int32_t pageCols_ = 1;
  int32_t pageRows_ = 1;
};

}  // namespace

std::variant<QImage, std::string> RenderMapImage(const MapDocument& map,
                                                 const RenderRequest& request,
                                                 const ProgressFn& progress,
                                                 const RenderLimits& limits) {
  std::variant<QImage, std::string> result;
  {
    Renderer renderer(map, request, limits);
    result = renderer.Run(progress);
  }
  // Windows the editor discarded are deleted by the event loop; let it finish them.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return result;
}

}  // namespace korvane::cli
