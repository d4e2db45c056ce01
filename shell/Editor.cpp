#include "shell/Editor.h"

#include "overlay/DatView.h"
#include "overview/Overview.h"
#include "shell/MapView.h"
#include "tiles/LoadTiles.h"
#include "tiles/TileView.h"

namespace korvane {

Editor::Editor(toolkit::Toolkit& toolkit) : toolkit_(toolkit) {}

// Windows go first (in reverse order of their creation at start-up) while the state they read
// still exists.
Editor::~Editor() {
  retiredOverview_.reset();
  overview_.reset();
  retiredLoadTiles_.reset();
  loadTiles_.reset();
  retiredDatView_.reset();
  datView_.reset();
  retiredTileView_.reset();
  tileView_.reset();
  mapView_.reset();
}

void Editor::Start() {
  mapView();
  mapView_->window->SetVisible(true);
}

MapView& Editor::mapView() {
  if (!mapView_) {
    mapView_ = std::make_unique<MapView>(*this);
    MapView* view = mapView_.get();
    view->window->onQueryUnload = [view] { return view->Form_QueryUnload(); };
    view->window->onUnload = [this, view] {
      view->Form_Unload();
      overview_.reset();
    };
    view->Form_Load();
  }
  return *mapView_;
}

TileView& Editor::tileView() {
  if (!tileView_) {
    // The palette's zoom is a public variable of the window that a reload does not reset.
    const int16_t zoom = retiredTileView_ ? retiredTileView_->ZoomStatus : int16_t{1};
    retiredTileView_.reset();
    tileView_ = std::make_unique<TileView>(*this);
    tileView_->ZoomStatus = zoom;
    tileView_->window->onUnload = [this] { DiscardTileView(); };
    tileView_->Form_Load();
  }
  return *tileView_;
}

LoadTiles& Editor::loadTiles() {
  if (!loadTiles_) {
    retiredLoadTiles_.reset();
    loadTiles_ = std::make_unique<LoadTiles>(*this);
    loadTiles_->window->onUnload = [this] { DiscardLoadTiles(); };
    loadTiles_->Form_Load();
  }
  return *loadTiles_;
}

DatView& Editor::datView() {
  if (!datView_) {
    retiredDatView_.reset();
    datView_ = std::make_unique<DatView>(*this);
    DatView* view = datView_.get();
    view->window->onQueryUnload = [view] { return view->Form_QueryUnload(); };
    view->window->onUnload = [this] { DiscardDatView(); };
    datView_->Form_Load();
  }
  return *datView_;
}

void Editor::ShowOverview() {
  if (!overview_) {
    retiredOverview_.reset();
    overview_ = std::make_unique<Overview>(*this);
    overview_->window->onUnload = [this] {
      // Closed by its close box, from inside its own handler: kept until the next reference.
      overview_->window->SetVisible(false);
      overview_->StopWatching();
      retiredOverview_ = std::move(overview_);
    };
  }
  overview_->Show();
}

void Editor::MapDisplayDrawn() {
  if (overview_) overview_->ViewChanged();
}

MapViewState& Editor::Main() {
  return mapView();
}

void Editor::PaintMap() {
  mapView().Display_Paint();
}

bool Editor::TileViewVisible() const {
  return tileView_ && tileView_->window->Visible();
}
bool Editor::DatViewVisible() const {
  return datView_ && datView_->window->Visible();
}

void Editor::ShowTileView() {
  tileView().window->SetVisible(true);
}

void Editor::HideTileView() {
  if (tileView_) tileView_->window->SetVisible(false);
}

void Editor::LoadTileView() {
  tileView();
}

void Editor::CalculateTiles() {
  tileView().CalculateTiles();
}

void Editor::RefreshTileView() {
  tileView().Display->Refresh();
}

void Editor::ShowDatView() {
  datView().window->SetVisible(true);
}

void Editor::HideDatView() {
  if (datView_) datView_->window->SetVisible(false);
}

int16_t Editor::ChosenCatalogueEntry() {
  return datView().Items->ListIndex();
}

std::vector<CatalogueEntry> Editor::CatalogueEntries() {
  return datView().Entries();
}

std::optional<std::string> Editor::ApplyTileSheetFile(const std::string& path, int16_t size,
                                                      int16_t spacing, int16_t offset) {
  return loadTiles().ApplyFile(path, size, spacing, offset);
}

void Editor::ShowLoadTiles() {
  loadTiles().window->SetVisible(true);
}

void Editor::CheckBitmap() {
  loadTiles().CheckBitmap();
}

bool Editor::UnloadDatView() {
  if (!datView_) return true;
  if (!datView_->Form_QueryUnload()) return false;
  DiscardDatView();
  return true;
}

// A discarded window is hidden at once and destroyed later: it may be discarding itself from
// inside one of its own handlers, whose code is still running.
void Editor::DiscardLoadTiles() {
  if (!loadTiles_) return;
  loadTiles_->window->SetVisible(false);
  retiredLoadTiles_ = std::move(loadTiles_);
}

void Editor::DiscardTileView() {
  if (!tileView_) return;
  tileView_->window->SetVisible(false);
  retiredTileView_ = std::move(tileView_);
}

void Editor::DiscardDatView() {
  if (!datView_) return;
  datView_->window->SetVisible(false);
  retiredDatView_ = std::move(datView_);
}

}  // namespace korvane
