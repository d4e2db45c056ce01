#pragma once

#include <cstddef>

namespace korvane {

// Asks the system to back a large, freshly allocated and not yet touched block with huge pages,
// so that filling it costs a few hundred page faults instead of one per 4 KiB. Only whole 2 MiB
// pages inside the block are affected; small blocks and systems without the facility are left
// as they are. Purely a speed hint: the block's contents and lifetime do not change.
void AdviseLargeBlock(void* data, size_t bytes);

}  // namespace korvane
