// A number in a Tiled XML map is a number only when the whole attribute spells one.

#include <gtest/gtest.h>

#include <fstream>

#include "formats/TiledMapFile.h"
#include "tests/support/EditorFixture.h"
#include "tests/support/NativeFileSystem.h"

namespace korvane {
namespace {

TEST(TmxNumbers, AnAttributeIsANumberOnlyWhenItIsOneInFull) {
  const std::string path = testing_support::FreshFolder() + "/in.tmx";
  headless::NativeFileSystem disk;
  for (const auto& [width, whole] :
       std::initializer_list<std::pair<std::string, bool>>{{"2", true},
                                                           {"2.0", true},
                                                           {"1e0", true},
                                                           {"2x", false},
                                                           {"x2", false},
                                                           {"", false},
                                                           {"2 ", false},
                                                           {"2.5", false}}) {
    std::ofstream(path, std::ios::trunc)
        << R"(<map version="1.8" orientation="orthogonal" width=")" << width
        << R"(" height="1" tilewidth="16" tileheight="16"><layer name="Tiles" width="2" height="1"><data encoding="csv">0,0</data></layer></map>)";
    const auto read = ReadTiledMap(disk, path, ".tmx");
    const auto* refusal = std::get_if<ReadRefusal>(&read);
    // A whole width passes on to the next check (the missing tileset).
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->reason.starts_with("The map width"), !whole)
        << width << ": " << refusal->reason;
  }
}

}  // namespace
}  // namespace korvane
