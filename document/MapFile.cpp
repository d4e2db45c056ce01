#include "document/MapFile.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <stdexcept>

namespace korvane {

namespace {

int16_t ReadInt16(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<int16_t>(static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8)));
}

int32_t ReadInt32(std::span<const uint8_t> bytes, size_t at) {
  const uint32_t v =
      static_cast<uint32_t>(bytes[at]) | (static_cast<uint32_t>(bytes[at + 1]) << 8) |
      (static_cast<uint32_t>(bytes[at + 2]) << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
  return static_cast<int32_t>(v);
}

void AppendInt16(std::vector<uint8_t>& out, int32_t v) {
  const auto u = static_cast<uint16_t>(v);
  out.push_back(static_cast<uint8_t>(u & 0xFF));
  out.push_back(static_cast<uint8_t>(u >> 8));
}

void AppendInt32(std::vector<uint8_t>& out, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(u >> shift));
}

// The tile layer is stored exactly as the cells lie in memory on a little-endian machine, so
// there it moves as one block; elsewhere each value is put together byte by byte.
void DecodeCells(const uint8_t* from, std::vector<int16_t>& cells) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(cells.data(), from, cells.size() * sizeof(int16_t));
  } else {
    for (size_t i = 0; i < cells.size(); ++i)
      cells[i] = static_cast<int16_t>(static_cast<uint16_t>(from[2 * i] | (from[2 * i + 1] << 8)));
  }
}

MapFileError EndsEarly(size_t offset, const std::string& what, size_t needed, size_t have) {
  const size_t remaining = have > offset ? have - offset : 0;
  return MapFileError{offset, "The file ends inside " + what + ": " + std::to_string(needed) +
                                  " bytes are needed but only " + std::to_string(remaining) +
                                  " remain."};
}

}  // namespace

MapFileParseResult ParseMapFile(std::span<const uint8_t> bytes) {
  const size_t size = bytes.size();
  if (size < kMapWidthOffset) return EndsEarly(0, "the 16-byte signature", 16, size);
  if (size < kTileLayerOffset) return EndsEarly(kMapWidthOffset, "the map header", 12, size);

  MapFileContents contents;
  std::copy(bytes.begin(), bytes.begin() + 16, contents.signature.begin());
  contents.width = ReadInt16(bytes, kMapWidthOffset);
  contents.height = ReadInt16(bytes, kMapHeightOffset);
  contents.humanResources = ReadInt32(bytes, kHumanResourcesOffset);
  contents.computerResources = ReadInt32(bytes, kComputerResourcesOffset);
  const int32_t w = contents.width;
  const int32_t h = contents.height;
  if (w < 1)
    return MapFileError{kMapWidthOffset,
                        "The map width is " + std::to_string(w) + " but must be at least 1."};
  if (h < 1)
    return MapFileError{kMapHeightOffset,
                        "The map height is " + std::to_string(h) + " but must be at least 1."};

  // At most 2 * 32767 * 32767 bytes, which fits size_t everywhere the editor runs.
  const size_t layerBytes = 2 * static_cast<size_t>(w) * static_cast<size_t>(h);
  const size_t countOffset = kTileLayerOffset + layerBytes;
  if (size < countOffset)
    return EndsEarly(
        kTileLayerOffset,
        "the tile layer of " + std::to_string(w) + " x " + std::to_string(h) + " tiles", layerBytes,
        size);
  if (size < countOffset + 2) return EndsEarly(countOffset, "the overlay entry count", 2, size);
  contents.overlayEntries = ReadInt16(bytes, countOffset);
  const size_t entries =
      contents.overlayEntries > 0 ? static_cast<size_t>(contents.overlayEntries) : 0;
  const size_t entriesOffset = countOffset + 2;
  if (size < entriesOffset + 6 * entries)
    return EndsEarly(entriesOffset, "the " + std::to_string(entries) + " overlay entries",
                     6 * entries, size);
  for (size_t i = 0; i < entries; ++i) {
    const size_t at = entriesOffset + 6 * i;
    const int32_t x = ReadInt16(bytes, at);
    const int32_t y = ReadInt16(bytes, at + 2);
    if (x < 0 || y < 0 || x >= w || y >= h)
      return MapFileError{at, "Overlay entry " + std::to_string(i + 1) + " lies at (" +
                                  std::to_string(x) + ", " + std::to_string(y) + "), outside the " +
                                  std::to_string(w) + " x " + std::to_string(h) + " map."};
  }

  // Only a file that passed every check above gets its layers.
  auto tiles = Grid16::TryCreate(w, h);
  auto overlay = tiles ? Grid16::TryCreate(w, h) : std::nullopt;
  if (!tiles || !overlay)
    return MapFileError{kMapWidthOffset, "There is not enough memory for a " + std::to_string(w) +
                                             " x " + std::to_string(h) + " map."};
  DecodeCells(bytes.data() + kTileLayerOffset, tiles->Cells());
  for (size_t i = 0; i < entries; ++i) {
    const size_t at = entriesOffset + 6 * i;
    overlay->Set(ReadInt16(bytes, at), ReadInt16(bytes, at + 2), ReadInt16(bytes, at + 4));
  }
  contents.tiles = std::move(*tiles);
  contents.overlay = std::move(*overlay);
  return contents;
}

std::optional<MapFileWriter> MapFileWriter::For(int32_t humanResources, int32_t computerResources,
                                                const Grid16& tiles, const Grid16& overlay,
                                                const std::array<uint8_t, 16>& signature) {
  const int32_t w = tiles.Width();
  const int32_t h = tiles.Height();
  if (tiles.Empty() || w > 32767 || h > 32767 || overlay.Width() != w || overlay.Height() != h)
    return std::nullopt;
  MapFileWriter writer(tiles);
  std::vector<uint8_t>& head = writer.head_;
  head.insert(head.end(), signature.begin(), signature.end());
  AppendInt16(head, w);
  AppendInt16(head, h);
  AppendInt32(head, humanResources);
  AppendInt32(head, computerResources);

  // The entries, one per cell with an object (a value above 0), in the tile layer's order (y
  // outer, x inner) as the cells lie in memory. Objects are few, so runs of cells without one are
  // passed over a block at a time, which the compiler turns into wide vector steps.
  std::vector<uint8_t>& tail = writer.tail_;
  AppendInt16(tail, 0);  // the count, filled in below
  const auto& objects = overlay.Cells();
  constexpr size_t kBlock = 64;
  size_t entries = 0;
  for (size_t start = 0; start < objects.size(); start += kBlock) {
    const size_t end = std::min(objects.size(), start + kBlock);
    int16_t most = 0;
    for (size_t i = start; i < end; ++i) most = std::max(most, objects[i]);
    if (most <= 0) continue;
    for (size_t i = start; i < end; ++i) {
      const int16_t v = objects[i];
      if (v <= 0) continue;
      // The count is a signed 16-bit field: more entries cannot be written faithfully.
      if (++entries > static_cast<size_t>(kMaxOverlayEntries)) return std::nullopt;
      AppendInt16(tail, static_cast<int32_t>(i % static_cast<size_t>(w)));
      AppendInt16(tail, static_cast<int32_t>(i / static_cast<size_t>(w)));
      AppendInt16(tail, v);
    }
  }
  tail[0] = static_cast<uint8_t>(entries & 0xFF);
  tail[1] = static_cast<uint8_t>(entries >> 8);
  return writer;
}

size_t MapFileWriter::Size() const {
  return head_.size() + tiles_.Cells().size() * sizeof(int16_t) + tail_.size();
}

bool MapFileWriter::WriteTo(const std::function<bool(std::span<const uint8_t>)>& sink) const {
  if (!sink(head_)) return false;
  const auto& cells = tiles_.Cells();
  if constexpr (std::endian::native == std::endian::little) {
    // The layer already lies in memory as the file holds it: it goes out as it is, uncopied.
    if (!sink({reinterpret_cast<const uint8_t*>(cells.data()), cells.size() * sizeof(int16_t)}))
      return false;
  } else {
    constexpr size_t kPieceCells = 32 * 1024;
    std::vector<uint8_t> piece;
    for (size_t start = 0; start < cells.size(); start += kPieceCells) {
      piece.clear();
      const size_t end = std::min(cells.size(), start + kPieceCells);
      for (size_t i = start; i < end; ++i) AppendInt16(piece, cells[i]);
      if (!sink(piece)) return false;
    }
  }
  return sink(tail_);
}

std::optional<std::vector<uint8_t>> SerializeMapFile(int32_t humanResources,
                                                     int32_t computerResources, const Grid16& tiles,
                                                     const Grid16& overlay,
                                                     const std::array<uint8_t, 16>& signature) {
  const auto writer =
      MapFileWriter::For(humanResources, computerResources, tiles, overlay, signature);
  if (!writer) return std::nullopt;
  std::vector<uint8_t> out;
  try {
    out.reserve(writer->Size());
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  } catch (const std::length_error&) {
    return std::nullopt;
  }
  writer->WriteTo([&out](std::span<const uint8_t> piece) {
    out.insert(out.end(), piece.begin(), piece.end());
    return true;
  });
  return out;
}

std::optional<std::vector<uint8_t>> SerializeMapFile(const MapFileContents& contents) {
  if (contents.width != contents.tiles.Width() || contents.height != contents.tiles.Height())
    return std::nullopt;
  return SerializeMapFile(contents.humanResources, contents.computerResources, contents.tiles,
                          contents.overlay, contents.signature);
}

}  // namespace korvane
