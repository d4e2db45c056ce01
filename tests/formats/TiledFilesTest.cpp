// Maps saved by Tiled 1.8 itself in each of its layer formats, from one Korvane map, read on
// each platform's own disk: each gives back that map's bytes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "formats/MapFile.h"
#include "formats/TiledMapFile.h"
#include "tests/support/NativeFileSystem.h"
#include "tests/support/SourceFile.h"

namespace korvane {
namespace {

std::vector<uint8_t> Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TiledFiles, EachLayerFormatSavedByTiledReadsToTheSameMap) {
  const auto folder = testing_support::SourceFile("tests/cli/tiled");
  const std::vector<uint8_t> expected = Bytes(folder / "layers.map");
  ASSERT_FALSE(expected.empty());
  headless::NativeFileSystem files;
  for (const char* format : {"csv", "base64", "zlib", "gzip"})
    for (const char* extension : {".tmx", ".tmj"}) {
      const auto saved = folder / (std::string("layers-") + format + extension);
      auto read = ReadTiledMap(files, saved.string(), extension);
      ASSERT_TRUE(std::holds_alternative<TiledMap>(read)) << saved;
      EXPECT_EQ(SerializeMapFile(std::get<TiledMap>(read).map), expected) << saved;
    }
}

}  // namespace
}  // namespace korvane
