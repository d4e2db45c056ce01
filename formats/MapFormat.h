#pragma once

// A map file format: one small interface to read a file into a map document and one to write a
// map document to the files it makes. The formats themselves are listed in FormatTable.h.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "model/Catalogue.h"
#include "model/MapDocument.h"
#include "model/Progress.h"
#include "model/TileRule.h"
#include "toolkit/FileSystem.h"

namespace korvane {

// Why a file gives no map: one sentence for a person.
struct ReadRefusal {
  std::string reason;
  // The byte where the file goes wrong, for formats that can name one.
  std::optional<uint64_t> byte;
  // The file could not be read at all, as opposed to its content being refused.
  bool unreadable = false;
};

// A map document with no file name and nothing unsaved, or why there is none.
using ReadResult = std::variant<MapDocument, ReadRefusal>;

class MapReader {
 public:
  virtual ~MapReader() = default;
  // Reads the file as it goes; memory follows the map, not the file.
  virtual ReadResult Read(toolkit::InputFile& file) const = 0;
  // The same for the bytes of a whole file.
  ReadResult ReadBytes(std::span<const uint8_t> bytes) const;
  // The same for the file at `path`; a file that cannot be opened is refused as unreadable.
  // Formats whose maps refer to other files read those from beside it, and add their paths to
  // `alsoRead` when it is given, so that a command can keep its output off them too.
  virtual ReadResult ReadPath(toolkit::FileSystem& files, const std::string& path,
                              std::vector<std::string>* alsoRead = nullptr) const;
};

// Pieces of a file's content, in order; false when they could not be written.
using ByteSink = std::function<bool(std::span<const uint8_t>)>;

// One file that writing a map makes: where it goes and its content, handed to a sink in pieces.
// The content is made when `produce` runs, from the document and the context the writer was
// given, which must still be there then.
struct FormatOutput {
  std::string path;
  std::function<bool(const ByteSink&)> produce;
};

// What a written map may refer to besides itself.
struct WriteContext {
  // The tile sheet that the map's tile numbers refer to.
  SheetLayout sheet;
  // How the map names the sheet picture, and the name of its tiles as a set.
  std::string sheetImage;
  std::string tilesetName;
  // The catalogue, which names the overlay objects and gives their sizes; null for none.
  const std::vector<CatalogueEntry>* catalogue = nullptr;
  // A sheet picture to be written beside the map (the built-in sample sheet, already encoded),
  // and where; an empty path for none.
  std::string sheetPicturePath;
  std::vector<uint8_t> sheetPicture;
  // Told how much of the map has been written.
  ProgressFn progress;
};

class MapWriter {
 public:
  virtual ~MapWriter() = default;
  // The files that writing `map` to `path` makes, in the order they are to replace what is
  // there, or one sentence saying why the map cannot be written in this format.
  virtual std::variant<std::vector<FormatOutput>, std::string> Outputs(
      const MapDocument& map, const std::string& path, const WriteContext& context) const = 0;
};

// A format as the table lists it: a reader, a writer, or both.
struct MapFormat {
  // The usual ending of its file names, such as ".map".
  const char* extension;
  const MapReader* reader;
  const MapWriter* writer;
};

// Where writing an output failed and why.
struct WriteFailure {
  std::string path;
  std::string reason;
};

// Replaces every output's file whole or not at all. Each is made ready in a temporary file beside
// its target (written, flushed to the disk and closed) before any target is replaced; then they
// replace their targets in order. On a failure before that point no target has changed.
std::optional<WriteFailure> WriteOutputs(toolkit::FileSystem& files,
                                         std::span<const FormatOutput> outputs);

}  // namespace korvane
