#pragma once

#include <cstdint>
#include <functional>
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

// The same, with the content put into the temporary file by `write` (in as many writes as it
// likes); `write` returns false when a write failed, and the save then fails as above.
bool WriteFileAtomically(toolkit::FileSystem& files, const std::string& path,
                         const std::function<bool(toolkit::OutputFile&)>& write);

}  // namespace korvane
