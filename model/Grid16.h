#pragma once

#include <cstdint>
#include <cstdlib>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace korvane {

// Layer memory comes from calloc: a large layer is memory the system hands out already zeroed,
// so making one costs no pass over it and pages that are never written are never backed.
// Value-initialising a cell therefore leaves it as calloc made it, 0.
template <class T>
struct ZeroedAllocator {
  using value_type = T;
  ZeroedAllocator() = default;
  template <class U>
  ZeroedAllocator(const ZeroedAllocator<U>&) {}

  T* allocate(size_t n) {
    void* p = std::calloc(n, sizeof(T));
    if (p == nullptr) throw std::bad_alloc();
    return static_cast<T*>(p);
  }
  void deallocate(T* p, size_t) { std::free(p); }
  template <class U>
  void construct(U*) noexcept {}
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
  friend bool operator==(const ZeroedAllocator&, const ZeroedAllocator&) { return true; }
};

// A layer's cells. Only ever sized once, from empty: growing it again after shrinking would
// not zero the regained cells.
using CellVector = std::vector<int16_t, ZeroedAllocator<int16_t>>;

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
  CellVector& Cells() { return cells_; }
  const CellVector& Cells() const { return cells_; }

  friend bool operator==(const Grid16&, const Grid16&) = default;

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  CellVector cells_;
};

}  // namespace korvane
