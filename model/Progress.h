#pragma once

#include <cstdint>
#include <functional>

namespace korvane {

// Told now and then how much of a long piece of work is done: `done` of `total` steps. May be
// null, for work nobody watches.
using ProgressFn = std::function<void(int64_t done, int64_t total)>;

}  // namespace korvane
