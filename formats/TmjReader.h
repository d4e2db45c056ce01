#pragma once

// Reading a Tiled JSON map (.tmj) in one streaming pass with RapidJSON's SAX reader. The reader
// recognises the parts of the document a Korvane map is made from and writes down what the
// importer needs to judge them (TiledFacts); everything else is checked as JSON and forgotten.
// Tile ids go straight into a tile layer of the map's size, so memory follows the map: two bytes
// a cell and a few hundred bytes for each of at most 32767 objects, whatever the file's length.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "formats/TiledFacts.h"
#include "toolkit/FileSystem.h"

namespace korvane {

// What cannot be read as JSON at all (a syntax fault, nesting deeper than 200, a repeated
// member name, a number beyond a double, a string too long, a failed read), in one sentence.
struct TmjReadFailure {
  std::string reason;
  // The file itself could not be read (rather than its text being refused).
  bool unreadable = false;
};

// Reads the whole document. With `size`, the ids of the first tile layer go into a layer of
// that size as they arrive.
std::variant<TiledFacts, TmjReadFailure> ReadTmj(toolkit::InputFile& file,
                                                 std::optional<std::pair<int32_t, int32_t>> size);

}  // namespace korvane
