#pragma once

// A map as stable, line-oriented text, so that Git can show what changed in a binary map file
// (korvane-cli dump as its textconv) and a person can read it.

#include <cstdint>
#include <iosfwd>

#include "model/MapDocument.h"
#include "model/Progress.h"

namespace korvane {

// Rows firstRow..lastRow inclusive; rows past the map's last one are simply not there.
struct RowRange {
  int32_t firstRow = 0;
  int32_t lastRow = INT32_MAX;
};

// Writes the header block (size, resources, signature, the stored overlay entry count), then one
// line per row in the range, "row 12: 4 4 17 ...", then one line per overlay cell of those rows
// holding a value other than 0, "overlay 7,3 = 2", in row order. Only one row's text is held at
// a time. Progress counts the rows written.
void WriteMapDump(const MapDocument& map, const RowRange& rows, std::ostream& out,
                  const ProgressFn& progress = nullptr);

}  // namespace korvane
