// A number in a Tiled XML map is a number only when the whole attribute spells one.

#include <gtest/gtest.h>

#include <fstream>

#include "formats/TiledMapFile.h"
#include "tests/support/EditorFixture.h"
#include "tests/support/NativeFileSystem.h"

namespace korvane {
namespace {

// A whole width, however it is spelled, makes a map whose layer is read in either form.
TEST(TmxNumbers, AnAttributeIsANumberOnlyWhenItIsOneInFull) {
  const std::string path = testing_support::FreshFolder() + "/in.tmx";
  headless::NativeFileSystem disk;
  for (const auto& [width, whole] :
       std::initializer_list<std::pair<std::string, bool>>{{"2", true},
                                                           {"2.0", true},
                                                           {"1e0", false},
                                                           {"2e0", true},
                                                           {"2x", false},
                                                           {"x2", false},
                                                           {"", false},
                                                           {"2 ", false},
                                                           {"2.5", false}})
    for (const char* data :
         {R"(<data encoding="csv">0,3</data>)", R"(<data encoding="base64">AAAAAAMAAAA=</data>)"}) {
      std::ofstream(path, std::ios::trunc)
          << R"(<map version="1.8" orientation="orthogonal" width=")" << width
          << R"(" height="1" tilewidth="16" tileheight="16"><tileset firstgid="1" name="t" tilewidth="16" tileheight="16"/><layer name="Tiles" width="2" height="1">)"
          << data << "</layer></map>";
      const auto read = ReadTiledMap(disk, path, ".tmx");
      const auto* refusal = std::get_if<ReadRefusal>(&read);
      const auto* map = std::get_if<TiledMap>(&read);
      EXPECT_EQ(refusal ? refusal->reason.substr(0, 13) : "",
                whole ? "" : (width == "1e0" ? "The tile laye" : "The map width"))
          << width << " " << data;
      if (map) {
        const TileLayer& tiles = map->map.MapTiles;
        EXPECT_EQ(std::tuple(tiles.At(0, 0), tiles.At(1, 0)), std::tuple(-1, 2)) << data;
      }
    }
}

}  // namespace
}  // namespace korvane
