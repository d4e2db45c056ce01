#include "formats/TmjFormat.h"

#include <string_view>

#include "formats/TmjExport.h"
#include "formats/TmjImport.h"

namespace korvane {

namespace {

class TiledJsonReader final : public MapReader {
 public:
  ReadResult Read(toolkit::InputFile& file) const override {
    auto imported = ImportTmj(file);
    if (auto* refusal = std::get_if<TmjRefusal>(&imported))
      return ReadRefusal{std::move(refusal->reason), std::nullopt, refusal->unreadable};
    return std::move(std::get<MapDocument>(imported));
  }
};

class TiledJsonWriter final : public MapWriter {
 public:
  std::variant<std::vector<FormatOutput>, std::string> Outputs(
      const MapDocument& map, const std::string& path, const WriteContext& context) const override {
    std::vector<FormatOutput> outputs;
    if (!context.sheetPicturePath.empty())
      outputs.push_back({context.sheetPicturePath,
                         [&context](const ByteSink& sink) { return sink(context.sheetPicture); }});
    outputs.push_back(
        {path, [&map, &context](const ByteSink& sink) {
           const TmjExport input{&map, context.sheet, context.sheetImage, context.tilesetName,
                                 context.catalogue};
           return WriteTmj(
               input,
               [&sink](std::string_view piece) {
                 return sink({reinterpret_cast<const uint8_t*>(piece.data()), piece.size()});
               },
               context.progress);
         }});
    return outputs;
  }
};

}  // namespace

const MapFormat& TiledJsonFormat() {
  static const TiledJsonReader reader;
  static const TiledJsonWriter writer;
  static const MapFormat format{".tmj", &reader, &writer};
  return format;
}

}  // namespace korvane
