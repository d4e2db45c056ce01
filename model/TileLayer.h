#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "model/CellWatcher.h"
#include "model/Grid16.h"

namespace korvane {

// The map's tile layer together with its one-level undo copy.
//
// The undo copy behaves exactly like a full copy of the tiles taken at TakeUndoSnapshot(), but
// costs nothing to take: the layer remembers the old value of every cell written since, and
// falls back to a real copy only once more cells changed than a copy would cost.
class TileLayer {
 public:
  TileLayer() = default;
  // Takes the tiles; the undo copy starts equal to them.
  explicit TileLayer(Grid16 tiles) : tiles_(std::move(tiles)) {}

  int32_t Width() const { return tiles_.Width(); }
  int32_t Height() const { return tiles_.Height(); }
  bool Contains(int32_t x, int32_t y) const { return tiles_.Contains(x, y); }
  int16_t At(int32_t x, int32_t y) const { return tiles_.At(x, y); }
  void Set(int32_t x, int32_t y, int16_t v);
  // For a change of (nearly) every cell: the undo copy becomes a full copy now, in one block
  // copy, and the cells are handed out to be written directly, without a journal entry each.
  // Empty when there is no memory for the copy; the caller then writes through Set.
  std::span<int16_t> RewriteAll();
  const Grid16& Tiles() const { return tiles_; }
  // Who hears of changed cells (see WatcherSlot); null for no one.
  void SetWatcher(CellWatcher* watcher) { watcher_.Set(watcher); }
  CellWatcher* Watcher() const { return watcher_.Get(); }

  // UndoTiles <- a copy of the tiles as they are now.
  void TakeUndoSnapshot();
  // Tiles <- UndoTiles. The undo copy itself stays, so a second Undo gives the same map.
  void Undo();
  // The undo copy, built on demand (for the file-less checks of tests and tools).
  Grid16 UndoTiles() const;

 private:
  struct Change {
    uint32_t index;
    int16_t old;
  };
  // Makes the undo copy a full copy; false, changing nothing, without the memory for it.
  bool TakeFullCopy();
  bool FullCopyCheaper() const {
    return journal_.size() * sizeof(Change) > tiles_.Cells().size() * sizeof(int16_t);
  }

  Grid16 tiles_;
  // Old values of the cells written since the snapshot, oldest first (used while !haveFullCopy_).
  std::vector<Change> journal_;
  bool haveFullCopy_ = false;
  Grid16 fullCopy_;
  // Last, so that assigning a layer tells the watcher once the cells are in place.
  WatcherSlot watcher_;
};

}  // namespace korvane
