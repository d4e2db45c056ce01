#include <gtest/gtest.h>

#include <algorithm>

#include "tests/cli/CliFixture.h"

namespace korvane::clitest {
namespace {

// Map bytes by hand: the standard signature, the header, then the 16-bit values of `rest`.
std::vector<uint8_t> HandMadeMap(int w, int h, const std::vector<int>& rest) {
  return testing_document::MapBytes(w, h, 100, 200, {}, rest);
}

std::vector<uint8_t> Truncated(std::vector<uint8_t> bytes, size_t size) {
  bytes.resize(size);
  return bytes;
}

using CliInfoCheck = CliTest;

TEST_F(CliInfoCheck, InfoPrintsTheMapAsOneJsonObject) {
  const std::string map = WriteMap("a.map", Grid(3, 2, {5, 7, 5, -4, 269, 7}),
                                   Grid(3, 2, {0, 3, 0, 0, -1, 9}), -100, 70000);
  const RunResult r = Run({"info", map});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "{\n"
            "  \"width\": 3,\n"
            "  \"height\": 2,\n"
            "  \"human_resources\": -100,\n"
            "  \"computer_resources\": 70000,\n"
            "  \"overlay_entries\": 2,\n"
            "  \"signature\": \"standard\",\n"
            "  \"tiles\": {\n"
            "    \"min\": -4,\n"
            "    \"max\": 269,\n"
            "    \"distinct\": 4\n"
            "  }\n"
            "}\n");
}

TEST_F(CliInfoCheck, InfoReportsTheCountAsStoredAndAnotherSignatureAndCheckSaysOk) {
  auto bytes = HandMadeMap(1, 1, {6, -3});
  bytes[0] = 0x51;
  WriteBytes(Path("b.map"), bytes);
  const RunResult r = Run({"info", Path("b.map")});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("\"overlay_entries\": -3,\n  \"signature\": \"other\","), std::string::npos)
      << r.out;
  const RunResult ok = Run({"check", Path("b.map")});
  EXPECT_EQ(ok.code, 0);
  EXPECT_EQ(ok.out + ok.err, "ok\n");
}

// A folder of broken files: each is refused with the offset where it goes wrong, by check and
// equally by the commands that read maps.
TEST_F(CliInfoCheck, BrokenFilesNameTheByteWhereTheyGoWrong) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"short-signature", std::vector<uint8_t>(10, 0), "byte 0: The file ends inside the 16-byte"},
      {"short-header", Truncated(HandMadeMap(2, 2, {}), 20),
       "byte 16: The file ends inside the map header"},
      {"zero-width", HandMadeMap(0, 2, {0}), "byte 16: The map width is 0"},
      {"negative-height", HandMadeMap(2, -1, {0}), "byte 18: The map height is -1"},
      {"truncated-tiles", HandMadeMap(4, 4, {1, 2, 3}),
       "byte 28: The file ends inside the tile layer of 4 x 4 tiles: 32 bytes are needed but "
       "only 6 remain."},
      {"no-count", HandMadeMap(1, 1, {1}), "byte 30: The file ends inside the overlay entry count"},
      {"short-entries", HandMadeMap(1, 1, {1, 2, 0, 0, 1}),
       "byte 32: The file ends inside the 2 overlay entries"},
      {"entry-outside", HandMadeMap(2, 1, {1, 2, 2, 0, 0, 4, 2, 0, 7}),
       "byte 40: Overlay entry 2 lies at (2, 0), outside the 2 x 1 map."},
  };
  for (const Case& c : cases) {
    WriteBytes(Path(c.name), c.bytes);
    for (const std::string command : {"check", "info", "export"}) {
      std::vector<std::string> args = {command, Path(c.name)};
      if (command == "export") args.insert(args.end(), {"-o", Path("out")});
      const RunResult r = Run(args);
      EXPECT_EQ(r.code, 1) << c.name << " " << command;
      EXPECT_EQ(r.out, "") << c.name << " " << command;
      EXPECT_NE(r.err.find(std::string(c.name) + ": " + c.expected), std::string::npos)
          << c.name << " " << command << ": " << r.err;
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(Path("out")));
}

TEST_F(CliInfoCheck, AMissingFileIsBadInput) {
  const RunResult r = Run({"check", Path("nowhere.map")});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "korvane-cli check: cannot read the map file " + Path("nowhere.map") +
                       ": there is no such file.\n");
  EXPECT_FALSE(std::filesystem::exists(Path("nowhere.map")));  // reading never creates it
}

TEST_F(CliInfoCheck, BadUsageExitsWithTwoAndHelpWithZero) {
  const std::string map = WriteMap("ok.map", Grid(1, 1), Grid(1, 1));
  const std::vector<std::vector<std::string>> misuse = {
      {},
      {"draw", map},
      {"info"},
      {"info", map, map},
      {"check", map, "--grid"},
      {"render", map, "-o"},
      {"render", map, "-o", Path("x.png"), "--zoom", "3"},
      {"render", map, "-o", Path("x.png"), "--tile-size", "0"},
      {"render", map, "-o", Path("x.png"), "--offset", "1.5"},
      {"render", map, "-o", Path("x.png"), "--catalogue", map},
      {"render", map, "-o", Path("x.png"), "--grid", "--grid"},
      {"export", map},
      {"export", map, "-o", Path("x.tmj"), "--overlay"},
      {"import", "-o", map},
  };
  for (const auto& args : misuse) {
    const RunResult r = Run(args);
    EXPECT_EQ(r.code, 2) << (args.empty() ? "" : args[0]) << " " << r.err;
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(r.out, "");
  }
  for (const char* command : {"info", "check", "render", "export", "import"}) {
    const RunResult r = Run({command, "--help", "--no-such-option"});
    EXPECT_EQ(r.code, 0) << command;
    EXPECT_EQ(r.out.rfind(std::string("Usage: korvane-cli ") + command, 0), 0u) << r.out;
    EXPECT_NE(r.out.find("Example: korvane-cli"), std::string::npos) << command;
  }
  EXPECT_EQ(Run({"--help"}).code, 0);
  EXPECT_FALSE(std::filesystem::exists(Path("x.png")));
}

}  // namespace
}  // namespace korvane::clitest
