#include "formats/TiledFormat.h"

#include <functional>
#include <string_view>

#include "formats/TiledMapFile.h"

namespace korvane {

TiledReader::TiledReader(const char* extension, Import import)
    : extension_(extension), import_(import) {}

ReadResult TiledReader::Read(toolkit::InputFile& file) const {
  auto imported = import_(file);
  if (auto* refusal = std::get_if<TmjRefusal>(&imported))
    return ReadRefusal{std::move(refusal->reason), std::nullopt, refusal->unreadable};
  return std::move(std::get<TiledMap>(imported).map);
}

ReadResult TiledReader::ReadPath(toolkit::FileSystem& files, const std::string& path,
                                 std::vector<std::string>* alsoRead) const {
  auto read = ReadTiledMap(files, path, extension_);
  if (auto* refusal = std::get_if<ReadRefusal>(&read)) return std::move(*refusal);
  TiledMap& tiled = std::get<TiledMap>(read);
  if (alsoRead && !tiled.tilesetFile.empty()) alsoRead->push_back(tiled.tilesetFile);
  return std::move(tiled.map);
}

TiledWriter::TiledWriter(Write write) : write_(write) {}

std::variant<std::vector<FormatOutput>, std::string> TiledWriter::Outputs(
    const MapDocument& map, const std::string& path, const WriteContext& context) const {
  std::vector<FormatOutput> outputs;
  if (!context.sheetPicturePath.empty())
    outputs.push_back({context.sheetPicturePath,
                       [&context](const ByteSink& sink) { return sink(context.sheetPicture); }});
  outputs.push_back(
      {path, [&map, &context, write = write_](const ByteSink& sink) {
         const TmjExport input{&map, context.sheet, context.sheetImage, context.tilesetName,
                               context.catalogue};
         return write(
             input,
             [&sink](std::string_view piece) {
               return sink({reinterpret_cast<const uint8_t*>(piece.data()), piece.size()});
             },
             context.progress);
       }});
  return outputs;
}

}  // namespace korvane
