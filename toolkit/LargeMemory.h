#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace korvane {

// Asks the system to back a large, freshly allocated and not yet touched block with huge pages,
// so that filling it costs a few hundred page faults instead of one per 4 KiB. Only whole 2 MiB
// pages inside the block are affected; small blocks and systems without the facility are left
// as they are. Purely a speed hint: the block's contents and lifetime do not change.
inline void AdviseLargeBlock(void* data, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
  if (data == nullptr || bytes < 2 * kHugePage) return;
  const auto start = reinterpret_cast<uintptr_t>(data);
  const uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t last = (start + bytes) & ~(kHugePage - 1);
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace korvane
