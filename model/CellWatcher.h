#pragma once

#include <cstdint>

namespace korvane {

// Hears of every change to a layer's cells, so that a view of the whole map (the overview) can
// follow the map without each tool telling it.
class CellWatcher {
 public:
  // One cell got a new value.
  virtual void CellChanged(int32_t x, int32_t y) = 0;
  // Any number of cells may have changed, or the layer was replaced (a new or loaded map).
  virtual void AllCellsChanged() = 0;

 protected:
  ~CellWatcher() = default;
};

// The watcher of a layer. It belongs to the layer object, not to its contents: assigning another
// layer to it (a new map put in place) keeps the watcher and tells it that every cell changed,
// and a copy of the layer starts without one.
class WatcherSlot {
 public:
  WatcherSlot() = default;
  WatcherSlot(const WatcherSlot&) {}
  WatcherSlot& operator=(const WatcherSlot&) {
    AllChanged();
    return *this;
  }
  friend bool operator==(const WatcherSlot&, const WatcherSlot&) { return true; }

  void Set(CellWatcher* watcher) { watcher_ = watcher; }
  CellWatcher* Get() const { return watcher_; }
  void Changed(int32_t x, int32_t y) const {
    if (watcher_) watcher_->CellChanged(x, y);
  }
  void AllChanged() const {
    if (watcher_) watcher_->AllCellsChanged();
  }

 private:
  CellWatcher* watcher_ = nullptr;
};

}  // namespace korvane
