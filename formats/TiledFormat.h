#pragma once

// What Tiled's two map formats share as entries of the table of formats: a reader that judges
// either alike and reads an external tileset from beside the map, and a writer that puts the
// sample sheet picture beside the map when there is one to write.

#include <string>
#include <variant>
#include <vector>

#include "formats/MapFormat.h"
#include "formats/TmjExport.h"
#include "formats/TmjImport.h"

namespace korvane {

class TiledReader final : public MapReader {
 public:
  using Import = std::variant<TiledMap, TmjRefusal> (*)(toolkit::InputFile&);
  TiledReader(const char* extension, Import import);
  ReadResult Read(toolkit::InputFile& file) const override;
  ReadResult ReadPath(toolkit::FileSystem& files, const std::string& path,
                      std::vector<std::string>* alsoRead = nullptr) const override;

 private:
  const char* extension_;
  Import import_;
};

class TiledWriter final : public MapWriter {
 public:
  using Write = bool (*)(const TmjExport&, const JsonWriter::Sink&, const ProgressFn&);
  explicit TiledWriter(Write write);
  std::variant<std::vector<FormatOutput>, std::string> Outputs(
      const MapDocument& map, const std::string& path, const WriteContext& context) const override;

 private:
  Write write_;
};

}  // namespace korvane
