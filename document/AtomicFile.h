#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "toolkit/FileSystem.h"

namespace korvane {

// Replaces the file at `path` by `bytes` in one step: the bytes go to a temporary file beside
// it, are flushed to the disk and only then renamed over the target. Returns true once the new
// content is in place. On any failure it returns false, the target keeps its old content (or
// stays absent) and the temporary file is removed.
bool WriteFileAtomically(toolkit::FileSystem& files, const std::string& path,
                         std::span<const uint8_t> bytes);

}  // namespace korvane
