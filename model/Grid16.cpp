#include "model/Grid16.h"

#include <new>
#include <stdexcept>

#include "toolkit/LargeMemory.h"

namespace korvane {

std::optional<Grid16> Grid16::TryCreate(int32_t width, int32_t height) {
  if (width < 1 || height < 1) return std::nullopt;
  Grid16 grid;
  try {
    const size_t cells = static_cast<size_t>(width) * static_cast<size_t>(height);
    grid.cells_.resize(cells);  // zeroed by the allocator, untouched
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  } catch (const std::length_error&) {
    return std::nullopt;
  }
  grid.width_ = width;
  grid.height_ = height;
  return grid;
}

std::optional<Grid16> Grid16::TryCopy(const Grid16& other) {
  Grid16 grid;
  try {
    // Advised before the copy first touches it, like a fresh grid.
    grid.cells_.reserve(other.cells_.size());
    AdviseLargeBlock(grid.cells_.data(), other.cells_.size() * sizeof(int16_t));
    grid.cells_.assign(other.cells_.begin(), other.cells_.end());
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  } catch (const std::length_error&) {
    return std::nullopt;
  }
  grid.width_ = other.width_;
  grid.height_ = other.height_;
  return grid;
}

}  // namespace korvane
