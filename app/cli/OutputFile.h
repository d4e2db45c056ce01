#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "app/cli/Json.h"
#include "toolkit/FileSystem.h"

namespace korvane::cli {

// The output name that means standard output, for formats that can be written there.
inline constexpr const char* kStandardOutput = "-";

// A sink into a file being written; false when a write failed.
JsonWriter::Sink SinkInto(toolkit::OutputFile& file);

// Writes what `produce` hands to its sink to `path`, or to `out` for "-". A file is written
// whole or not at all (see FileReplacement): when `produce` or a write fails, `path` keeps its
// old content and the result is false, with the reason in `why`.
bool WriteOutput(toolkit::FileSystem& files, std::ostream& out, const std::string& path,
                 const std::function<bool(const JsonWriter::Sink&)>& produce, std::string& why);

}  // namespace korvane::cli
