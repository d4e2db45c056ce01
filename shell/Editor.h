#pragma once

#include <memory>

#include "state/EditorWindows.h"
#include "state/MapGlobal.h"
#include "toolkit/Toolkit.h"

namespace korvane {

class MapView;
class TileView;
class LoadTiles;
class DatView;
class Overview;

// Owns the editor-wide state and the four windows. Each window exists at most once: the first
// reference creates it and runs its Form_Load before returning; Unload discards it, so the next
// reference creates it afresh. The windows' handlers reach each other through EditorWindows.
class Editor final : public EditorWindows {
 public:
  explicit Editor(toolkit::Toolkit& toolkit);
  ~Editor();
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  toolkit::Toolkit& Toolkit() override { return toolkit_; }
  MapGlobal& Global() override { return global_; }
  const MapGlobal& Global() const override { return global_; }
  MapViewState& Main() override;
  void PaintMap() override;

  // Creates the main window, runs its Form_Load and shows it: the editor's start-up.
  void Start();

  MapView& mapView();
  TileView& tileView();
  LoadTiles& loadTiles();
  DatView& datView();

  bool HasMapView() const { return mapView_ != nullptr; }
  bool HasTileView() const { return tileView_ != nullptr; }
  bool HasLoadTiles() const { return loadTiles_ != nullptr; }
  bool HasDatView() const { return datView_ != nullptr; }

  // The overview window: created on first showing, closed with the main window.
  void ShowOverview();
  Overview* overview() { return overview_.get(); }
  // The map display was drawn; the overview's frame and colours follow.
  void MapDisplayDrawn();

  // Visibility as the design reads it; asking about a window that does not exist does not create
  // it and reads as hidden.
  bool TileViewVisible() const override;
  bool DatViewVisible() const override;
  void ShowTileView() override;
  void HideTileView() override;
  void LoadTileView() override;
  void CalculateTiles() override;
  void RefreshTileView() override;
  void ShowDatView() override;
  void HideDatView() override;
  int16_t ChosenCatalogueEntry() override;
  std::vector<CatalogueEntry> CatalogueEntries() override;
  void ShowLoadTiles() override;
  void CheckBitmap() override;

  // Closes the catalogue as the program does: its Form_QueryUnload may refuse, returning false.
  bool UnloadDatView() override;
  // Discards without asking; absent windows are left alone.
  void DiscardLoadTiles() override;
  void DiscardTileView() override;
  std::optional<std::string> ApplyTileSheetFile(const std::string& path, int16_t size,
                                                int16_t spacing, int16_t offset) override;
  void DiscardDatView();

 private:
  toolkit::Toolkit& toolkit_;
  MapGlobal global_;
  std::unique_ptr<MapView> mapView_;
  std::unique_ptr<TileView> tileView_;
  std::unique_ptr<LoadTiles> loadTiles_;
  std::unique_ptr<DatView> datView_;
  std::unique_ptr<Overview> overview_;
  // Windows discarded from inside their own handlers are kept alive until the next reference.
  std::unique_ptr<TileView> retiredTileView_;
  std::unique_ptr<LoadTiles> retiredLoadTiles_;
  std::unique_ptr<DatView> retiredDatView_;
  std::unique_ptr<Overview> retiredOverview_;
};

}  // namespace korvane
