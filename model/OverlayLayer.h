#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "model/CellWatcher.h"

namespace korvane {

// The overlay's object number per cell, 0 where a cell holds none. Objects are few (a map file
// stores at most 32767 of them) but may lie anywhere on a map of up to a billion cells, so only
// the cells that hold a number take memory: a map's overlay costs nothing per empty cell.
class OverlayLayer {
 public:
  struct Entry {
    int32_t x = 0;
    int32_t y = 0;
    int16_t value = 0;
    friend bool operator==(const Entry&, const Entry&) = default;
  };

  OverlayLayer() = default;

  // A layer of width x height cells, all 0; nullopt when a side is below 1 or above 32767.
  static std::optional<OverlayLayer> TryCreate(int32_t width, int32_t height);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Empty() const { return width_ == 0; }
  bool Contains(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
  }

  int16_t At(int32_t x, int32_t y) const {
    const auto it = cells_.find(Key(x, y));
    return it == cells_.end() ? int16_t{0} : it->second;
  }
  // Throws std::bad_alloc only when a new cell is given a number and memory has run out.
  void Set(int32_t x, int32_t y, int16_t value) {
    if (value == 0)
      cells_.erase(Key(x, y));
    else
      cells_[Key(x, y)] = value;
    watcher_.Changed(x, y);
  }
  // Who hears of changed cells (see WatcherSlot); null for no one.
  void SetWatcher(CellWatcher* watcher) { watcher_.Set(watcher); }
  CellWatcher* Watcher() const { return watcher_.Get(); }

  // How many cells hold a number other than 0.
  size_t Count() const { return cells_.size(); }
  // Makes room for `count` numbered cells up front; false when memory runs out.
  bool Reserve(size_t count);
  // The cells that hold a number other than 0, row by row (y outer, x inner): the order in which
  // a map file lists them.
  std::vector<Entry> Entries() const;

  friend bool operator==(const OverlayLayer&, const OverlayLayer&) = default;

 private:
  // Row-major position; below 2^30 for the largest map, and sorting by it gives row order.
  uint32_t Key(int32_t x, int32_t y) const {
    return static_cast<uint32_t>(y) * static_cast<uint32_t>(width_) + static_cast<uint32_t>(x);
  }
  Entry EntryOf(uint32_t key, int16_t value) const {
    const auto w = static_cast<uint32_t>(width_);
    return {static_cast<int32_t>(key % w), static_cast<int32_t>(key / w), value};
  }

  int32_t width_ = 0;
  int32_t height_ = 0;
  std::unordered_map<uint32_t, int16_t> cells_;
  WatcherSlot watcher_;
};

}  // namespace korvane
