#pragma once

#include <functional>
#include <string>

#include "app/cli/Json.h"
#include "toolkit/FileSystem.h"

namespace korvane::cli {

// Like WriteFileAtomically, for output too large to hold in memory: `produce` writes the content
// piece by piece into the sink, which goes to a temporary file beside `path`; only when produce
// and every write succeeded is the file flushed and renamed over `path`. Otherwise the temporary
// file is removed, `path` keeps its old content, and the result is false.
bool WriteStreamedAtomically(toolkit::FileSystem& files, const std::string& path,
                             const std::function<bool(const JsonWriter::Sink&)>& produce);

}  // namespace korvane::cli
