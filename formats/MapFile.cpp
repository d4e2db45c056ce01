#include "formats/MapFile.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <stdexcept>

#include "formats/MemoryFile.h"
#include "toolkit/LargeMemory.h"

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

MapFileError EndsEarly(size_t offset, const std::string& what, size_t needed, uint64_t have) {
  const uint64_t remaining = have > offset ? have - offset : 0;
  return MapFileError{offset, "The file ends inside " + what + ": " + std::to_string(needed) +
                                  " bytes are needed but only " + std::to_string(remaining) +
                                  " remain."};
}

MapFileError ReadFailed(size_t offset, const toolkit::FileError& error) {
  return MapFileError{offset, "The file could not be read: " + error.reason + "."};
}

// The tile layer is stored exactly as the cells lie in memory on a little-endian machine, so
// there it is read straight into the layer; elsewhere it comes in pieces, put together byte by
// byte.
bool ReadCells(toolkit::InputFile& file, uint64_t offset, CellVector& cells,
               toolkit::FileError& error) {
  if constexpr (std::endian::native == std::endian::little) {
    // A large layer is filled in big pages: a few hundred page faults instead of one per 4 KiB.
    AdviseLargeBlock(cells.data(), cells.size() * sizeof(int16_t));
    return file.ReadAt(offset, {reinterpret_cast<uint8_t*>(cells.data()), cells.size() * 2}, error);
  } else {
    constexpr size_t kPieceCells = 32 * 1024;
    std::vector<uint8_t> piece;
    for (size_t start = 0; start < cells.size(); start += kPieceCells) {
      const size_t n = std::min(kPieceCells, cells.size() - start);
      piece.resize(2 * n);
      if (!file.ReadAt(offset + 2 * start, piece, error)) return false;
      for (size_t i = 0; i < n; ++i) cells[start + i] = ReadInt16(piece, 2 * i);
    }
    return true;
  }
}

}  // namespace

MapFileParseResult ReadMapHeader(toolkit::InputFile& file) {
  const uint64_t size = file.Size();
  if (size < kMapWidthOffset) return EndsEarly(0, "the 16-byte signature", 16, size);
  if (size < kTileLayerOffset) return EndsEarly(kMapWidthOffset, "the map header", 12, size);
  std::array<uint8_t, kTileLayerOffset> head{};
  toolkit::FileError error;
  if (!file.ReadAt(0, head, error)) return ReadFailed(0, error);

  MapDocument map;
  std::copy(head.begin(), head.begin() + 16, map.Signature.begin());
  map.MapWidth = ReadInt16(head, kMapWidthOffset);
  map.MapHeight = ReadInt16(head, kMapHeightOffset);
  map.HumanResources = ReadInt32(head, kHumanResourcesOffset);
  map.ComputerResources = ReadInt32(head, kComputerResourcesOffset);
  const int32_t w = map.MapWidth;
  const int32_t h = map.MapHeight;
  if (w < 1)
    return MapFileError{kMapWidthOffset,
                        "The map width is " + std::to_string(w) + " but must be at least 1."};
  if (h < 1)
    return MapFileError{kMapHeightOffset,
                        "The map height is " + std::to_string(h) + " but must be at least 1."};
  // At most 2 * 32767 * 32767 bytes, which fits size_t everywhere the editor runs.
  const size_t layerBytes = 2 * static_cast<size_t>(w) * static_cast<size_t>(h);
  if (size < kTileLayerOffset + layerBytes)
    return EndsEarly(
        kTileLayerOffset,
        "the tile layer of " + std::to_string(w) + " x " + std::to_string(h) + " tiles", layerBytes,
        size);
  return map;
}

MapFileParseResult ReadMapFile(toolkit::InputFile& file) {
  MapFileParseResult header = ReadMapHeader(file);
  auto* found = std::get_if<MapDocument>(&header);
  if (!found) return header;
  MapDocument map = std::move(*found);
  const uint64_t size = file.Size();
  const int32_t w = map.MapWidth;
  const int32_t h = map.MapHeight;
  const size_t countOffset = kTileLayerOffset + 2 * static_cast<size_t>(w) * static_cast<size_t>(h);
  toolkit::FileError error;

  if (size < countOffset + 2) return EndsEarly(countOffset, "the overlay entry count", 2, size);
  std::array<uint8_t, 2> count{};
  if (!file.ReadAt(countOffset, count, error)) return ReadFailed(countOffset, error);
  map.OverlayEntriesStored = ReadInt16(count, 0);
  const auto entries = static_cast<size_t>(std::max<int16_t>(map.OverlayEntriesStored, 0));
  const size_t entriesOffset = countOffset + 2;
  if (size < entriesOffset + 6 * entries)
    return EndsEarly(entriesOffset, "the " + std::to_string(entries) + " overlay entries",
                     6 * entries, size);
  std::vector<uint8_t> list(6 * entries);
  if (!file.ReadAt(entriesOffset, list, error)) return ReadFailed(entriesOffset, error);
  for (size_t i = 0; i < entries; ++i) {
    const int32_t x = ReadInt16(list, 6 * i);
    const int32_t y = ReadInt16(list, 6 * i + 2);
    if (x < 0 || y < 0 || x >= w || y >= h)
      return MapFileError{entriesOffset + 6 * i,
                          "Overlay entry " + std::to_string(i + 1) + " lies at (" +
                              std::to_string(x) + ", " + std::to_string(y) + "), outside the " +
                              std::to_string(w) + " x " + std::to_string(h) + " map."};
  }

  // Only a file that passed every check above gets its layers.
  auto tiles = Grid16::TryCreate(w, h);
  auto overlay = OverlayLayer::TryCreate(w, h);
  if (!tiles || !overlay || !overlay->Reserve(entries))
    return MapFileError{kMapWidthOffset, "There is not enough memory for a " + std::to_string(w) +
                                             " x " + std::to_string(h) + " map."};
  if (!ReadCells(file, kTileLayerOffset, tiles->Cells(), error))
    return ReadFailed(kTileLayerOffset, error);
  for (size_t i = 0; i < entries; ++i)
    overlay->Set(ReadInt16(list, 6 * i), ReadInt16(list, 6 * i + 2), ReadInt16(list, 6 * i + 4));
  map.MapTiles = TileLayer(std::move(*tiles));
  map.OverlayData = std::move(*overlay);
  return map;
}

MapFileParseResult ParseMapFile(std::span<const uint8_t> bytes) {
  MemoryFile file(bytes);
  return ReadMapFile(file);
}

std::optional<MapFileWriter> MapFileWriter::For(int32_t humanResources, int32_t computerResources,
                                                const Grid16& tiles, const OverlayLayer& overlay,
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
  // outer, x inner).
  std::vector<uint8_t>& tail = writer.tail_;
  AppendInt16(tail, 0);  // the count, filled in below
  size_t entries = 0;
  for (const OverlayLayer::Entry& entry : overlay.Entries()) {
    if (entry.value <= 0) continue;
    // The count is a signed 16-bit field: more entries cannot be written faithfully.
    if (++entries > static_cast<size_t>(kMaxOverlayEntries)) return std::nullopt;
    AppendInt16(tail, entry.x);
    AppendInt16(tail, entry.y);
    AppendInt16(tail, entry.value);
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
                                                     const OverlayLayer& overlay,
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

std::optional<std::vector<uint8_t>> SerializeMapFile(const MapDocument& map) {
  if (map.MapWidth != map.MapTiles.Width() || map.MapHeight != map.MapTiles.Height())
    return std::nullopt;
  return SerializeMapFile(map.HumanResources, map.ComputerResources, map.MapTiles.Tiles(),
                          map.OverlayData, map.Signature);
}

}  // namespace korvane

namespace korvane {

namespace {

class MapFileReader final : public MapReader {
 public:
  ReadResult Read(toolkit::InputFile& file) const override {
    MapFileParseResult parsed = ReadMapFile(file);
    if (const auto* error = std::get_if<MapFileError>(&parsed))
      return ReadRefusal{error->reason, error->offset, false};
    return std::move(std::get<MapDocument>(parsed));
  }
};

class MapFileFormatWriter final : public MapWriter {
 public:
  std::variant<std::vector<FormatOutput>, std::string> Outputs(const MapDocument& map,
                                                               const std::string& path,
                                                               const WriteContext&) const override {
    if (map.MapTiles.Tiles().Empty()) return std::string("the map has no cells.");
    if (map.OverlayData.Count() > size_t{kMaxOverlayEntries})
      return "the map holds more than the " + std::to_string(kMaxOverlayEntries) +
             " overlay objects a map file can hold.";
    auto writer = MapFileWriter::For(map.HumanResources, map.ComputerResources,
                                     map.MapTiles.Tiles(), map.OverlayData);
    if (!writer) return std::string("there is not enough memory to write the map.");
    return std::vector<FormatOutput>{{path, [writer = std::move(*writer)](const ByteSink& sink) {
                                        return writer.WriteTo(sink);
                                      }}};
  }
};

}  // namespace

const MapFormat& KorvaneMapFormat() {
  static const MapFileReader reader;
  static const MapFileFormatWriter writer;
  static const MapFormat format{".map", &reader, &writer};
  return format;
}

}  // namespace korvane
