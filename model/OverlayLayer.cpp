#include "model/OverlayLayer.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace korvane {

std::optional<OverlayLayer> OverlayLayer::TryCreate(int32_t width, int32_t height) {
  if (width < 1 || height < 1 || width > 32767 || height > 32767) return std::nullopt;
  OverlayLayer layer;
  layer.width_ = width;
  layer.height_ = height;
  return layer;
}

bool OverlayLayer::Reserve(size_t count) {
  try {
    cells_.reserve(count);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
}

std::vector<OverlayLayer::Entry> OverlayLayer::Entries() const {
  std::vector<std::pair<uint32_t, int16_t>> sorted(cells_.begin(), cells_.end());
  std::sort(sorted.begin(), sorted.end());
  std::vector<Entry> out;
  out.reserve(sorted.size());
  for (const auto& [key, value] : sorted) out.push_back(EntryOf(key, value));
  return out;
}

}  // namespace korvane
