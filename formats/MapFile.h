#pragma once

// The ".map" file: the one place that knows its byte layout.
//
// All integers are little-endian two's complement, with no padding:
//   offset 0             16 bytes   signature (kStandardMapSignature when written by the editor)
//   offset 16            int16      width W
//   offset 18            int16      height H
//   offset 20            int32      human player's resources
//   offset 24            int32      computer player's resources
//   offset 28            2*W*H      tile layer, int16 each, row by row (y outer, x inner)
//   offset 28 + 2*W*H    int16      N, the number of overlay entries
//   offset 30 + 2*W*H    6*N        N entries of int16 x, y, value
// The editor writes one entry per cell whose overlay value is above 0, in the tile layer's order.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "formats/MapFormat.h"
#include "model/Grid16.h"
#include "model/MapDocument.h"
#include "model/OverlayLayer.h"
#include "toolkit/FileSystem.h"

namespace korvane {

// Offsets of the fixed header fields.
inline constexpr size_t kMapWidthOffset = 16;
inline constexpr size_t kMapHeightOffset = 18;
inline constexpr size_t kHumanResourcesOffset = 20;
inline constexpr size_t kComputerResourcesOffset = 24;
inline constexpr size_t kTileLayerOffset = 28;

// The most overlay entries a file can announce (the count is a signed 16-bit value).
inline constexpr int32_t kMaxOverlayEntries = 32767;

// Why a file was refused: the byte offset where the problem lies and one sentence for a person.
struct MapFileError {
  size_t offset = 0;
  std::string reason;
};

using MapFileParseResult = std::variant<MapDocument, MapFileError>;

// Reads a map file into a document with no file name and nothing unsaved. The header and every
// entry are checked before any layer is allocated, so a damaged or hostile file costs no memory and
// yields the first problem found: a width or height below 1, a file that ends early, an overlay
// entry outside the map, a map too large for the memory available, or a read that failed. Overlay
// entries may come in any order, a later one for the same cell wins, values are kept as read (also
// 0 and below); bytes after the last entry are neither read nor checked, and any signature is
// accepted. Memory beyond the tile layer is a few megabytes at most: the tile layer is read
// straight into its place, and the overlay holds only the cells that the entries name.
MapFileParseResult ReadMapFile(toolkit::InputFile& file);

// The same for the bytes of a whole file held in memory.
MapFileParseResult ParseMapFile(std::span<const uint8_t> bytes);

// Only the fixed header: signature, size and resources, with the size checked against the
// length of the file (no layers are read or allocated; OverlayEntriesStored stays 0). Lets a caller
// refuse a map by its size before paying for its layers.
MapFileParseResult ReadMapHeader(toolkit::InputFile& file);

// The bytes of a map file for the given layers; width and height are those of `tiles`, and
// `overlay` must have the same shape. Only overlay cells above 0 are written. Returns nullopt,
// and no bytes, when the layers are empty or differ in shape, when more than kMaxOverlayEntries
// cells hold an overlay value, or when memory runs out.
std::optional<std::vector<uint8_t>> SerializeMapFile(
    int32_t humanResources, int32_t computerResources, const Grid16& tiles,
    const OverlayLayer& overlay, const std::array<uint8_t, 16>& signature = kStandardMapSignature);

// The bytes of a map file handed out piece by piece, in file order, so that saving a large map
// needs no second copy of it in memory. The layers are checked when the writer is made, exactly
// as SerializeMapFile checks them; the tile layer must outlive the writer and stay unchanged.
class MapFileWriter {
 public:
  // Nullopt when the layers cannot be written (see SerializeMapFile). Reads the overlay layer
  // once; only the tile layer is kept by reference.
  static std::optional<MapFileWriter> For(
      int32_t humanResources, int32_t computerResources, const Grid16& tiles,
      const OverlayLayer& overlay,
      const std::array<uint8_t, 16>& signature = kStandardMapSignature);

  // The length of the whole file in bytes.
  size_t Size() const;
  // Gives every byte of the file to `sink`, in order, in three or more pieces (the tile layer in
  // one piece of its own on a little-endian machine). Stops and returns false as soon as the
  // sink returns false.
  bool WriteTo(const std::function<bool(std::span<const uint8_t>)>& sink) const;

 private:
  explicit MapFileWriter(const Grid16& tiles) : tiles_(tiles) {}

  const Grid16& tiles_;
  // The bytes before the tile layer (signature and header) and after it (count and entries).
  std::vector<uint8_t> head_;
  std::vector<uint8_t> tail_;
};

// The same for a whole document (its signature included; OverlayEntriesStored is not consulted:
// the count written is that of the layer). Fails as above, and also when MapWidth and MapHeight
// disagree with the layers.
std::optional<std::vector<uint8_t>> SerializeMapFile(const MapDocument& map);

// The .map format as the table of formats lists it. Its reader refuses a file with the byte where
// it goes wrong; its writer makes one file as the editor saves a map: the standard signature, one
// entry per overlay cell above 0, the tile layer given to the sink in one piece.
const MapFormat& KorvaneMapFormat();

}  // namespace korvane
