// Outputs never land where they must not: on an input, on a device or FIFO, or half-way across
// the two outputs of export; inputs that would block are refused at once.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/cli/CliFixture.h"

namespace korvane::clitest {
namespace {

namespace fs = std::filesystem;

constexpr const char* kOneCellTmj =
    R"({"type": "map", "orientation": "orthogonal", "width": 1, "height": 1, "tilewidth": 16,
    "tileheight": 16, "infinite": false, "tilesets": [{"firstgid": 1}],
    "layers": [{"type": "tilelayer", "width": 1, "height": 1, "data": [3]}]})";

class CliOutputSafety : public CliTest {
 protected:
  CliOutputSafety() {
    map = WriteMap("m.map", Grid(2, 2, {1, 2, 3, 4}), Grid(2, 2));
    WriteText(Path("t.tmj"), kOneCellTmj);
    fs::create_directory(Path("sub"));
    fs::create_hard_link(map, Path("hard.map"));
    EXPECT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
  }
  std::string map;
};

TEST_F(CliOutputSafety, AnOutputThatIsAnInputIsRefusedHoweverItIsSpelled) {
  const auto mapBytes = ReadBytes(map);
  const auto tmjBytes = ReadBytes(Path("t.tmj"));
  const std::vector<std::vector<std::string>> commands = {
      {"render", map, "-o", map},
      {"render", map, "-o", Path("sub/../m.map")},
      {"render", map, "-o", Path("hard.map")},
      {"export", map, "-o", map},
      {"export", map, "-o", Path("x.tmj"), "--catalogue", Path("x.tmj")},
      {"import", Path("t.tmj"), "-o", Path("./t.tmj")},
  };
  WriteText(Path("x.tmj"), "3\r\n");
  for (const auto& args : commands) {
    SCOPED_TRACE(args[0] + " -o " + args[3]);
    const RunResult r = Run(args);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("is the input file"), std::string::npos) << r.err;
  }
  EXPECT_EQ(ReadBytes(map), mapBytes);
  EXPECT_EQ(ReadBytes(Path("t.tmj")), tmjBytes);
  EXPECT_EQ(ReadText(Path("x.tmj")), "3\r\n");
}

TEST_F(CliOutputSafety, FifosAreNeitherWaitedOnNorReplaced) {
  const std::string fifo = Path("fifo");
  const std::string refused = "it is a FIFO (named pipe), not a regular file.\n";
  // Inputs: each would block forever if the FIFO were opened for a writer to come.
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"info", fifo},
           {"check", fifo},
           {"import", fifo, "-o", Path("a.map")},
           {"export", map, "-o", Path("a.tmj"), "--catalogue", fifo}}) {
    const RunResult r = Run(args);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.ends_with(refused)) << r.err;
  }
  // Outputs, also through a link: refused, and export writes neither of its two files.
  fs::create_symlink(fifo, Path("link.map"));
  WriteText(Path("fifo-sheet.png"), "old");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"import", Path("t.tmj"), "-o", Path("link.map")}, {"export", map, "-o", fifo}}) {
    const RunResult r = Run(args);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.ends_with(refused)) << r.err;
  }
  EXPECT_EQ(ReadText(Path("fifo-sheet.png")), "old");
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_symlink(Path("link.map")));
}

TEST_F(CliOutputSafety, ALinkedOutputIsWrittenWhereItPointsAndStdoutTakesDash) {
  fs::create_symlink("sub/real.map", Path("link.map"));
  ASSERT_EQ(Run({"import", Path("t.tmj"), "-o", Path("link.map")}).code, 0);
  EXPECT_TRUE(fs::is_symlink(Path("link.map")));
  const auto written = ReadBytes(Path("sub/real.map"));
  const RunResult r = Run({"import", Path("t.tmj"), "-o", "-"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(std::vector<uint8_t>(r.out.begin(), r.out.end()), written);
  EXPECT_EQ(Run({"export", map, "-o", "-"}).code, 2);  // the sample sheet needs a file beside it
}

}  // namespace
}  // namespace korvane::clitest
