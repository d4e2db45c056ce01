#pragma once

#include <memory>

#include "state/MapGlobal.h"
#include "toolkit/Toolkit.h"

namespace korvane {

class MapView;
class TileView;
class LoadTiles;
class DatView;

// Owns the editor-wide state and the four windows. Each window exists at most once: the first
// reference creates it and runs its Form_Load before returning; Unload discards it, so the next
// reference creates it afresh.
class Editor {
 public:
  explicit Editor(toolkit::Toolkit& toolkit);
  ~Editor();
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  toolkit::Toolkit& Toolkit() { return toolkit_; }
  MapGlobal& Global() { return global_; }
  const MapGlobal& Global() const { return global_; }

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

  // Visibility as the design reads it; asking about a window that does not exist does not create
  // it and reads as hidden.
  bool TileViewVisible() const;
  bool DatViewVisible() const;

  // Closes a window as the program does: runs its Form_QueryUnload (which may refuse, returning
  // false) and Form_Unload, then discards it. Absent windows are left alone.
  bool UnloadLoadTiles();
  bool UnloadTileView();
  bool UnloadDatView();
  // Discards without asking (the window has already run its unload handlers).
  void DiscardLoadTiles();
  void DiscardTileView();
  void DiscardDatView();

 private:
  toolkit::Toolkit& toolkit_;
  MapGlobal global_;
  std::unique_ptr<MapView> mapView_;
  std::unique_ptr<TileView> tileView_;
  std::unique_ptr<LoadTiles> loadTiles_;
  std::unique_ptr<DatView> datView_;
  // Windows discarded from inside their own handlers are kept alive until the next reference.
  std::unique_ptr<TileView> retiredTileView_;
  std::unique_ptr<LoadTiles> retiredLoadTiles_;
  std::unique_ptr<DatView> retiredDatView_;
};

}  // namespace korvane
