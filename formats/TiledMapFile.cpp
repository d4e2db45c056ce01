#include "formats/TiledMapFile.h"

#include <cctype>
#include <filesystem>

#include "formats/TmxReader.h"

namespace korvane {

namespace {

// A tileset file is a few kilobytes; one this long is no tileset.
constexpr uint64_t kLongestTileset = 16 << 20;

std::string Beside(const std::string& file, const std::string& name) {
  const std::filesystem::path named(name);
  if (named.is_absolute()) return name;
  return (std::filesystem::path(file).parent_path() / named).lexically_normal().string();
}

}  // namespace

std::string PathFromMap(const std::string& mapPath, const std::string& file) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path fileAbs = fs::absolute(file, ec).lexically_normal();
  const fs::path mapDir = fs::absolute(mapPath, ec).lexically_normal().parent_path();
  const fs::path relative = fileAbs.lexically_relative(mapDir);
  return relative.empty() ? fileAbs.generic_string() : relative.generic_string();
}

std::string SampleSheetPathFor(const std::string& mapPath) {
  const std::filesystem::path out(mapPath);
  return (out.parent_path() / (out.stem().string() + "-sheet.png")).string();
}

std::variant<TiledMap, ReadRefusal> ReadTiledMap(toolkit::FileSystem& files,
                                                 const std::string& path,
                                                 std::string_view extension) {
  toolkit::FileError error;
  const auto file = files.OpenForReading(path, error);
  if (!file) return ReadRefusal{error.reason, std::nullopt, true};
#ifdef KORVANE_HAVE_TMX
  auto imported = extension == ".tmx" ? ImportTmx(*file) : ImportTmj(*file);
#else
  if (extension == ".tmx")
    return ReadRefusal{"This build of Korvane reads no XML maps.", std::nullopt, false};
  auto imported = ImportTmj(*file);
#endif
  if (auto* refusal = std::get_if<TmjRefusal>(&imported))
    return ReadRefusal{std::move(refusal->reason), std::nullopt, refusal->unreadable};
  TiledMap& map = std::get<TiledMap>(imported);
  std::string namer = path;
  if (!map.tileset.source.empty()) {
    const std::string tsx = Beside(path, map.tileset.source);
    const auto bytes = files.ReadAll(tsx, error, kLongestTileset);
    if (!bytes)
      return ReadRefusal{"The tileset file " + tsx + " cannot be read: " + error.reason + ".",
                         std::nullopt, false};
#ifdef KORVANE_HAVE_TMX
    std::optional<std::string> why = ReadTsx(*bytes, map.tileset);
#else
    std::optional<std::string> why = "This build of Korvane reads no XML tileset.";
#endif
    if (why) {
      why->front() = char(std::tolower(static_cast<unsigned char>(why->front())));
      return ReadRefusal{"The tileset file " + tsx + " is refused: " + *why, std::nullopt, false};
    }
    namer = tsx;
    map.tilesetFile = tsx;
  }
  if (!map.tileset.image.empty()) map.tileset.image = Beside(namer, map.tileset.image);
  return std::move(map);
}

}  // namespace korvane
