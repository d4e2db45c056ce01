#include "model/TileLayer.h"

#include <new>
#include <optional>

namespace korvane {

void TileLayer::Set(int32_t x, int32_t y, int16_t v) {
  const size_t index = tiles_.Index(x, y);
  int16_t& cell = tiles_.Cells()[index];
  if (cell == v) return;
  if (!haveFullCopy_) {
    journal_.push_back(Change{static_cast<uint32_t>(index), cell});
    // Rebuild the snapshot once and stop journalling until the next snapshot. Without the memory
    // for the copy the journal simply goes on: it stays exact, only larger.
    if (FullCopyCheaper()) {
      cell = v;
      TakeFullCopy();
      watcher_.Changed(x, y);
      return;
    }
  }
  cell = v;
  watcher_.Changed(x, y);
}

std::span<int16_t> TileLayer::RewriteAll() {
  if (!haveFullCopy_ && !TakeFullCopy()) return {};
  // Told before the writes: the caller writes the cells directly, and a watcher draws later.
  watcher_.AllChanged();
  return tiles_.Cells();
}

bool TileLayer::TakeFullCopy() {
  try {
    fullCopy_ = UndoTiles();
  } catch (const std::bad_alloc&) {
    return false;
  }
  journal_.clear();
  journal_.shrink_to_fit();
  haveFullCopy_ = true;
  return true;
}

void TileLayer::TakeUndoSnapshot() {
  journal_.clear();
  if (haveFullCopy_) {
    haveFullCopy_ = false;
    fullCopy_ = Grid16();
  }
}

void TileLayer::Undo() {
  if (haveFullCopy_) {
    tiles_ = fullCopy_;
  } else {
    auto& cells = tiles_.Cells();
    for (auto it = journal_.rbegin(); it != journal_.rend(); ++it) cells[it->index] = it->old;
    journal_.clear();
  }
  watcher_.AllChanged();
}

Grid16 TileLayer::UndoTiles() const {
  if (haveFullCopy_) return fullCopy_;
  std::optional<Grid16> copy = Grid16::TryCopy(tiles_);
  if (!copy) throw std::bad_alloc();
  auto& cells = copy->Cells();
  for (auto it = journal_.rbegin(); it != journal_.rend(); ++it) cells[it->index] = it->old;
  return std::move(*copy);
}

}  // namespace korvane
