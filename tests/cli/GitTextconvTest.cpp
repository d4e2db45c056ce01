#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/cli/CliFixture.h"

namespace korvane::clitest {
namespace {

using CliGit = CliTest;

int Shell(const std::string& command) {
  return std::system(command.c_str());
}

// The two lines README gives make git diff show the rows that changed.
TEST_F(CliGit, GitDiffShowsDumpLinesOnceTheTwoLinesAreApplied) {
  if (Shell("git --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "git is not installed";
  const std::string repo = Path("repo");
  std::filesystem::create_directories(repo);
  // A test run from inside a Git hook must not reach the outer repository.
  const std::string git = "env -u GIT_DIR -u GIT_WORK_TREE -u GIT_INDEX_FILE git -C '" + repo +
                          "' -c user.name=t -c user.email=t@example.com ";
  ASSERT_EQ(Shell(git + "init -q"), 0);
  WriteText(repo + "/.gitattributes", "*.map diff=korvane\n");
  ASSERT_EQ(Shell(git + "config diff.korvane.textconv \"" KORVANE_CLI_PATH " dump\""), 0);

  Grid16 tiles = Grid(5, 4, std::vector<int16_t>(20, 7));
  WriteMap("repo/level.map", tiles, Grid(5, 4));
  ASSERT_EQ(Shell(git + "add . && " + git + "commit -q -m one"), 0);
  tiles.Set(2, 3, 9);
  WriteMap("repo/level.map", tiles, Grid(5, 4, {0, 0, 0, 0, 4}));
  ASSERT_EQ(Shell(git + "diff > '" + Path("out.txt") + "'"), 0);
  const std::string diff = ReadText(Path("out.txt"));
  EXPECT_NE(diff.find("\n-row 3: 7 7 7 7 7\n+row 3: 7 7 9 7 7\n"), std::string::npos) << diff;
  EXPECT_NE(diff.find("\n+overlay 4,0 = 4\n"), std::string::npos) << diff;
  EXPECT_EQ(diff.find("Binary files"), std::string::npos) << diff;
}

}  // namespace
}  // namespace korvane::clitest
