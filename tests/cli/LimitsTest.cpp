// What a huge or hostile input may cost: import and render run where the address space may grow
// only by a set amount, far below what reading the whole input would take, and still answer.

#include <fcntl.h>
#include <unistd.h>

#include <functional>

#include "tests/cli/CliFixture.h"
#include "tests/support/AddressSpace.h"

namespace korvane::clitest {
namespace {

constexpr uint64_t kMiB = uint64_t{1} << 20;

// A .tmj of a side x side map whose ids are all 0 ("0,0,..."), `missing` ids short, with the
// given text after the tileset and `objects` objects one to a cell.
std::string BigTmj(int32_t side, int64_t missing, const std::string& extra, int32_t objects) {
  const int64_t ids = int64_t{side} * side - missing;
  std::string text = R"({"orientation": "orthogonal", "width": )" + std::to_string(side) +
                     R"(, "height": )" + std::to_string(side) +
                     R"(, "tilewidth": 1, "tileheight": 1, "tilesets": [{"firstgid": 1}],)" +
                     extra + R"( "layers": [{"type": "tilelayer", "width": )" +
                     std::to_string(side) + R"(, "height": )" + std::to_string(side) +
                     R"(, "data": [)";
  text.reserve(text.size() + 2 * size_t(ids) + 100 * size_t(objects) + 100);
  for (int64_t i = 0; i < ids; ++i) text += i ? ",0" : "0";
  text += R"(]}, {"type": "objectgroup", "objects": [)";
  for (int32_t i = 0; i < objects; ++i)
    text += (i ? "," : "") + std::string(R"({"x": )") + std::to_string(i % side) + R"(, "y": )" +
            std::to_string(i / side) + R"(, "properties": {"id": 1}})";
  return text + "]}]}";
}

// A map file of side x side cells whose layers are a hole in the file: it takes no disk and, read
// whole, two bytes a cell of memory.
void WriteSparseMap(const std::string& path, int16_t side) {
  std::vector<uint8_t> head = *SerializeMapFile(0, 0, Grid(1, 1), *OverlayLayer::TryCreate(1, 1));
  head.resize(kTileLayerOffset);
  for (const size_t at : {size_t(kMapWidthOffset), size_t(kMapHeightOffset)}) {
    head[at] = uint8_t(side & 0xFF);
    head[at + 1] = uint8_t(side >> 8);
  }
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, head.data(), head.size()), ssize_t(head.size()));
  ASSERT_EQ(::ftruncate(fd, off_t(kTileLayerOffset) + 2 * off_t(side) * side + 2), 0);
  ::close(fd);
}

using CliLimits = CliTest;

// Each input, the memory it may take beyond the process, and the answer. A 4096 x 4096 map's
// tile layer is 32 MiB; its ids as text are 32 MiB too, and the text held whole with its ids
// as numbers took 160 MiB and more. 100,000 objects took about 3 KB each; a 48 MiB string
// twice its length; a million member names, checked for a repeated one, over 200 MiB; reading
// the 32767 x 32767 map before refusing its picture, 2 GiB.
TEST_F(CliLimits, MemoryFollowsTheMapNotTheInput) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer reserves more address space than any useful cap";
#endif
  const std::string note = R"( "note": ")" + std::string(48 * kMiB, 'n') + R"(",)";
  std::string names = R"( "many": {"k0": 0)";
  for (int i = 1; i < 1000000; ++i) names += ", \"k" + std::to_string(i) + "\": 0";
  names += "},";
  WriteSparseMap(Path("huge.map"), 32767);
  // The .tmj (null to render huge.map), the command, what it may take and its answer.
  // clang-format off
  struct Case { std::function<std::string()> text; std::string line; uint64_t extraMiB; int code;
                std::string says; };
  // clang-format on
  const Case cases[] = {
      {[] { return BigTmj(4096, 0, "", 1); }, "import @in.tmj -o @out.map", 80, 0, ""},
      {[] { return BigTmj(4096, 1, "", 0); }, "import @in.tmj -o @out.map", 80, 1,
       "holds 16777215 ids but the map has 16777216 cells"},
      {[] { return BigTmj(512, 0, "", 100000); }, "import @in.tmj -o @out.map", 48, 1,
       "holds more than the 32767 objects"},
      {[&note] { return BigTmj(1024, 0, note, 0); }, "import @in.tmj -o @out.map", 80, 1,
       "a string is longer than 32 MiB"},
      {[&names] { return BigTmj(1024, 0, names, 0); }, "import @in.tmj -o @out.map", 160, 1,
       "the objects open here hold more than 64 MiB of member names"},
      {[] { return BigTmj(4096, 0, "", 1); }, "import @in.tmj -o @small.map", 16, 1,
       "There is not enough memory for a 4096 x 4096 map."},
      {nullptr, "check @huge.map", 32, 1, "There is not enough memory for a 32767 x 32767 map."},
      {nullptr, "render @huge.map -o @out.png --cell-pixels 2", 32, 1,
       "The image would be 65534 x 65534 pixels"},
      {nullptr, "render @huge.map -o @out.png --tile-size 1", 32, 1,
       "The image would be 32767 x 32767 pixels"},
      {nullptr, "render @huge.map -o @out.png --tile-size 1 --grid", 32, 1,
       "The image would be 65534 x 65534 pixels"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line + " " + c.says);
    if (c.text) WriteText(Path("in.tmj"), c.text());
    testing_support::WithAddressSpaceCap(c.extraMiB * kMiB, [&] {
      const RunResult r = Line(c.line);
      EXPECT_EQ(r.code, c.code) << r.err;
      EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    });
  }
  // The good map arrived whole: 4096 x 4096 empty cells and the one object.
  EXPECT_EQ(Line("info @out.map").out.substr(0, 110),
            "{\n  \"width\": 4096,\n  \"height\": 4096,\n  \"human_resources\": 0,\n"
            "  \"computer_resources\": 0,\n  \"overlay_entries\": 1");
}

}  // namespace
}  // namespace korvane::clitest
