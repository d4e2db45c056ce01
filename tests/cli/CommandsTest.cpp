// info and check, the usage rules every command shares, and where outputs may never land: on an
// input, on a FIFO, or half-way across export's two outputs.

#include <sys/stat.h>

#include "app/cli/Progress.h"
#include "tests/cli/CliFixture.h"

namespace korvane::clitest {
namespace {

namespace fs = std::filesystem;

using CliCommands = CliTest;

TEST_F(CliCommands, InfoPrintsTheMapAsJsonAndCheckSaysOk) {
  WriteMap("a.map", Grid(3, 2, {5, 7, 5, -4, 269, 7}), Grid(3, 2, {0, 3, 0, 0, -1, 9}), -100,
           70000);
  EXPECT_EQ(Line("info @a.map").out,
            "{\n  \"width\": 3,\n  \"height\": 2,\n  \"human_resources\": -100,\n"
            "  \"computer_resources\": 70000,\n  \"overlay_entries\": 2,\n"
            "  \"signature\": \"standard\",\n  \"tiles\": {\n    \"min\": -4,\n"
            "    \"max\": 269,\n    \"distinct\": 4\n  },\n  \"symmetry\": []\n}\n");
  EXPECT_EQ(Line("check @a.map").out, "ok\n");
}

// A damaged map is refused with the reader's offset and reason (its rules are tested where they
// live), alike by every command that reads maps; reading never creates a file.
TEST_F(CliCommands, ADamagedOrMissingMapIsBadInput) {
  WriteBytes(Path("cut.map"), testing_document::MapBytes(4, 4, 0, 0, {1, 2, 3}, {}));
  for (const char* line : {"check @cut.map", "info @cut.map", "dump @cut.map",
                           "export @cut.map -o @out", "render @cut.map -o @out"})
    ExpectRefused(line, 1,
                  Path("cut.map") +
                      ": byte 28: The file ends inside the tile layer of 4 x 4 "
                      "tiles: 32 bytes are needed but only 6 remain.");
  ExpectRefused("check @nowhere.map", 1,
                "korvane-cli check: cannot read the map file " + Path("nowhere.map") +
                    ": there is no such file.\n");
  EXPECT_FALSE(fs::exists(Path("nowhere.map")));
  EXPECT_FALSE(fs::exists(Path("out")));
}

TEST_F(CliCommands, BadUsageExitsWithTwoAndHelpWithZero) {
  WriteMap("m", Grid(1, 1), Grid(1, 1));
  // "export -o -" without --sheet: the sample sheet needs a file beside the output.
  for (const std::string line :
       {"draw @m", "info", "info @m @m", "check @m --grid", "render @m -o", "render @m",
        "export @m", "export @m -o @x.tmj --overlay", "import -o @m", "import @m", "export @m -o -",
        "render @m @m -o @x.png --cell-pixels 2", "diff @m", "diff @m @m --zoom 2",
        "diff @m @m -o @d.png --context x", "diff @m @m -o @d.png --zoom 3", "diff @m @m -o -"})
    ExpectRefused(line, 2, "(see korvane-cli ");
  for (const std::string rows : {"2..1", "1", "-1..2", "a..b", "1..", "..3"})
    ExpectRefused("dump @m --rows " + rows, 2, "(see korvane-cli dump --help).");
  for (const std::string options :
       {"--zoom 3", "--zoom=0", "--tile-size 0", "--spacing -1", "--spacing +", "--offset 1.5",
        "--offset 2x", "--offset 32768", "--catalogue @m", "--grid --grid", "--grid=1",
        "--cell-pixels 0", "--cell-pixels 3", "--cell-pixels 16", "--cell-pixels 2 --grid",
        "--cell-pixels 2 --overlay", "--cell-pixels 2 --zoom 1"})
    ExpectRefused("render @m -o @x.png " + options, 2, "(see korvane-cli render --help).");
  EXPECT_EQ(Line("").code, 2);
  // After "--", and a lone "-" anywhere, an argument is a file name, never an option.
  for (const std::string name : {"-x", "--zoom", "-"})
    ExpectRefused((name == "-" ? "info " : "info -- ") + name, 1,
                  "cannot read the map file " + name + ": there is no such file.");
  // A command's help, alone or beside a mistake.
  for (const std::string command : {"info", "check", "render", "export", "import", "dump", "diff"})
    for (const char* rest : {" --help", " -h --no-such-option"})
      EXPECT_EQ(Line(command + rest).out.rfind("Usage: korvane-cli " + command, 0), 0u) << rest;
  for (const char* general : {"--help", "-h", "help"})
    EXPECT_EQ(Line(general).out.rfind("Usage: korvane-cli COMMAND", 0), 0u) << general;
  EXPECT_EQ(Line("--version").out.rfind("korvane-cli ", 0), 0u);
}

// Outputs never land on an input (however it is spelled), on a FIFO, or half-way across
// export's two outputs; a FIFO as input is refused at once instead of waited on; a linked output
// is written where the link points; "-" is the standard output.
// Only the commands that draw start the offscreen platform.
TEST(CliPictures, OnlyRenderExportAndADiffWithAPictureNeedThem) {
  using Args = std::vector<std::string>;
  const std::pair<Args, bool> rows[] = {{{}, false},
                                        {{"render", "m.map"}, true},
                                        {{"export"}, true},
                                        {{"diff"}, false},
                                        {{"diff", "a", "b", "-o", "d.png"}, true},
                                        {{"diff", "-o=d.png"}, true},
                                        {{"dump", "-o"}, false},
                                        {{"info", "render"}, false}};
  for (const auto& [args, needed] : rows)
    EXPECT_EQ(cli::NeedsPictures(args), needed) << args.size();
}

// Each new percentage once, in place; the line ends once, after any percentage (0 % included),
// and never when none was shown.
TEST(CliProgress, EachPercentageOnceAndOneLineEndAfterThem) {
  using Steps = std::vector<std::pair<int64_t, int64_t>>;
  const std::tuple<bool, Steps, std::string> rows[] = {
      {true, {{0, 3}, {0, 3}, {1, 3}, {3, 3}}, "\r-: 0%\r-: 33%\r-: 100%\n"},
      {true, {{0, 5}}, "\r-: 0%\n"},
      {true, {{5, 0}, {1, -1}}, ""},
      {false, {{1, 2}}, ""}};
  for (const auto& [enabled, steps, shown] : rows) {
    std::ostringstream err;
    {
      cli::ProgressLine progress(err, "x", enabled);
      for (const auto& [done, total] : steps) progress(done, total);
      progress.Done();
    }
    std::string text = err.str();
    for (size_t at; (at = text.find("korvane-cli x")) != std::string::npos;)
      text.replace(at, 13, "-");
    EXPECT_EQ(text, shown) << steps.size();
  }
}

TEST_F(CliCommands, OutputsLandOnlyWhereTheyMay) {
  const std::string map = WriteMap("m.map", Grid(2, 2, {1, 2, 3, 4}), Grid(2, 2));
  ASSERT_EQ(Line("export @m.map -o @t.tmj").code, 0);
  fs::create_directory(Path("sub"));
  fs::create_hard_link(map, Path("hard.map"));
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
  fs::create_symlink(Path("fifo"), Path("fifo.map"));
  WriteText(Path("x.tmj"), "3\r\n");
  WriteText(Path("fifo-sheet.png"), "old");
  for (const char* line :
       {"render @m.map -o @sub/../m.map", "render @m.map -o @hard.map --cell-pixels 2",
        "export @m.map -o @m.map", "export @m.map -o @x.tmj --catalogue @x.tmj",
        "import @t.tmj -o @./t.tmj", "diff @m.map @m.map -o @m.map"})
    ExpectRefused(line, 2, "is the input file");
  for (const char* line :
       {"info @fifo", "import @fifo -o @a.map", "export @m.map -o @a.tmj --catalogue @fifo",
        "import @t.tmj -o @fifo.map", "export @m.map -o @fifo"})
    ExpectRefused(line, 1, "it is a FIFO (named pipe), not a regular file.");
  EXPECT_EQ(ReadText(Path("x.tmj")) + ReadText(Path("fifo-sheet.png")), "3\r\nold");
  EXPECT_TRUE(fs::is_fifo(Path("fifo")));

  fs::create_symlink("sub/real.map", Path("link.map"));
  ASSERT_EQ(Line("import @t.tmj -o @link.map").code, 0);
  EXPECT_TRUE(fs::is_symlink(Path("link.map")));
  EXPECT_EQ(ReadBytes(Path("sub/real.map")), ReadBytes(map));
  const RunResult r = Line("import @t.tmj -o -");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(std::vector<uint8_t>(r.out.begin(), r.out.end()), ReadBytes(map));
}

}  // namespace
}  // namespace korvane::clitest
