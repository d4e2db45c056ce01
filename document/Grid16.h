#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace korvane {

// A rectangle of 16-bit cells indexed (x, y), x varying fastest in memory.
class Grid16 {
 public:
  Grid16() = default;

  // A grid of width x height cells, all 0; nullopt when a side is below 1 or memory runs out.
  static std::optional<Grid16> TryCreate(int32_t width, int32_t height);
  // A copy of `other` in memory of its own; nullopt when memory runs out.
  static std::optional<Grid16> TryCopy(const Grid16& other);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Empty() const { return cells_.empty(); }
  bool Contains(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
  }

  int16_t At(int32_t x, int32_t y) const { return cells_[Index(x, y)]; }
  void Set(int32_t x, int32_t y, int16_t v) { cells_[Index(x, y)] = v; }

  size_t Index(int32_t x, int32_t y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
  }
  std::vector<int16_t>& Cells() { return cells_; }
  const std::vector<int16_t>& Cells() const { return cells_; }

  friend bool operator==(const Grid16&, const Grid16&) = default;

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<int16_t> cells_;
};

}  // namespace korvane
