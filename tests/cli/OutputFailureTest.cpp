// Output that cannot be written is never reported as success: the real korvane-cli with its
// standard output on a full device, closed, or a pipe nobody reads; and the reasons a file or
// folder could not be made.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <algorithm>

#include "tests/cli/CliFixture.h"
#include "tests/support/Unprivileged.h"
#include "toolkit/posix/StandardOutput.h"

namespace korvane::clitest {
namespace {

enum class Stdout { Full, Closed, PipeNobodyReads };

struct Ended {
  int code = -1;    // the exit status, or -1 when a signal ended it
  int signal = 0;   // the signal that ended it
  std::string err;  // what it wrote to stderr
};

// Runs the tool itself: only a real process has a standard output to lose.
Ended RunTool(const std::vector<std::string>& args, Stdout out) {
  int errPipe[2], outPipe[2];
  EXPECT_EQ(::pipe(errPipe), 0);
  EXPECT_EQ(::pipe(outPipe), 0);
  ::close(outPipe[0]);  // before the fork, so no reader ever exists
  std::vector<char*> argv{const_cast<char*>(KORVANE_CLI_PATH)};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(errPipe[1], 2);
    if (out == Stdout::Full) ::dup2(::open("/dev/full", O_WRONLY), 1);
    if (out == Stdout::Closed) ::close(1);
    if (out == Stdout::PipeNobodyReads) ::dup2(outPipe[1], 1);
    ::execv(KORVANE_CLI_PATH, argv.data());
    ::_exit(127);
  }
  ::close(errPipe[1]);
  ::close(outPipe[1]);
  Ended ended;
  char buffer[4096];
  for (ssize_t n; (n = ::read(errPipe[0], buffer, sizeof buffer)) > 0;) ended.err.append(buffer, n);
  ::close(errPipe[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFEXITED(status)) ended.code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) ended.signal = WTERMSIG(status);
  return ended;
}

using CliOutput = CliTest;

// Each way to standard output (a command's text, help, a file named "-"; the text commands
// share one check), on a full disk and on a closed descriptor, says so and fails (diff with 2, as
// for any trouble); a pipe whose reader has gone ends it quietly by SIGPIPE, as it ends cat or seq.
TEST_F(CliOutput, StandardOutputThatCannotBeWrittenIsNoSuccess) {
  WriteMap("a.map", Grid(3, 2, {1, 2, 3, 4, 5, 6}), Grid(3, 2));
  WriteMap("b.map", Grid(3, 2, {1, 2, 3, 4, 5, 7}), Grid(3, 2));
  ASSERT_TRUE(QImage(32, 16, QImage::Format_RGB32).save(QString::fromStdString(Path("sheet.png"))));
  const std::vector<std::pair<std::string, std::string>> lines = {
      {"info", "info @a.map"},
      {"diff", "diff @a.map @b.map"},
      {"render", "render @a.map -o -"},
      {"export", "export @a.map -o - --sheet @sheet.png"},
      {"", "--help"},
  };
  for (const auto& [command, line] : lines) {
    SCOPED_TRACE(line);
    std::vector<std::string> args;
    std::istringstream words(line);
    for (std::string w; words >> w;) args.push_back(w[0] == '@' ? Path(w.substr(1)) : w);
    const std::string who = "korvane-cli" + (command.empty() ? "" : " " + command);
    const int failed = command == "diff" ? 2 : 1;
    for (const auto& [mode, why] : {std::pair{Stdout::Full, "no space left on the device"},
                                    {Stdout::Closed, "it is not open"}}) {
      const Ended e = RunTool(args, mode);
      EXPECT_EQ(e.code, failed) << e.err;
      EXPECT_EQ(e.err, who + ": cannot write to standard output: " + why + ".\n");
    }
    const Ended e = RunTool(args, Stdout::PipeNobodyReads);
    EXPECT_EQ(e.signal, SIGPIPE) << e.code << " " << e.err;
    EXPECT_EQ(e.err, "");
  }
}

// Whichever of the three standard descriptors the caller closed is open again on /dev/null, so
// that the next file the tool opens cannot take its place; standard error takes writing.
TEST_F(CliOutput, ClosedStandardDescriptorsAreHeldOpen) {
  for (const std::vector<int>& closed : {std::vector{0}, {1}, {2}, {0, 1, 2}}) {
    testing_support::InForkedChild(
        [&closed] {
          for (int fd : closed) ::close(fd);
          toolkit::KeepStandardDescriptors();
          return true;
        },
        [&closed] {
          const int modes[] = {O_RDONLY, O_RDONLY, O_WRONLY};
          for (int fd = 0; fd <= 2; ++fd) {
            const int flags = ::fcntl(fd, F_GETFL);
            EXPECT_NE(flags, -1) << fd;
            if (std::find(closed.begin(), closed.end(), fd) != closed.end()) {
              EXPECT_EQ(flags & O_ACCMODE, modes[fd]) << fd;
            }
          }
          EXPECT_GT(::open("/dev/null", O_RDONLY), 2);
        },
        "with standard descriptors closed");
  }
}

// A folder that could not be made because its parent may not be written says "permission
// denied" when a file is then written into it; a folder nobody tried to make "does not exist".
TEST_F(CliOutput, ReasonsNameTheRealFault) {
  WriteMap("m.map", Grid(1, 1), Grid(1, 1));
  ASSERT_EQ(Line("export @m.map -o @m.tmj").code, 0);
  // Folders are made level by level; one already there is fine, a file of that name is not.
  toolkit::PosixFileSystem disk;
  for (const auto& [folder, made] :
       {std::pair{"a/b/c", true}, {"a/b/c/", true}, {"m.map", false}, {"m.map/sub", false}})
    EXPECT_EQ(disk.CreateFolders(Path(folder)), made) << folder;
  EXPECT_FALSE(disk.CreateFolders(""));
  // Only a folder with write and search rights takes new files; a file anyone may write and run is
  // no folder.
  ::chmod(Path("m.map").c_str(), 0777);
  for (const auto& [folder, can] :
       {std::pair{"a/b", true}, {"m.map", false}, {"none", false}, {"", false}})
    EXPECT_EQ(disk.CanCreateFilesIn(folder[0] ? Path(folder) : ""), can) << folder;
  std::filesystem::create_directory(Path("locked"));
  ::chmod(Path("locked").c_str(), 0555);
  WriteText(Path("secret.map"), "");
  ::chmod(Path("secret.map").c_str(), 0);
  testing_support::AsUnprivilegedUser([&] {
    toolkit::PosixFileSystem files;
    toolkit::FileError error;
    EXPECT_EQ(files.OpenForReading(Path("secret.map"), error), nullptr);
    EXPECT_EQ(error.reason, "permission denied");
    EXPECT_FALSE(files.CreateFolders(Path("locked/korvane")));
    EXPECT_FALSE(files.CreateTemporaryBeside(Path("locked/korvane/Overlay.dat"), error));
    EXPECT_EQ(error.reason, "permission denied");
    EXPECT_FALSE(files.CreateTemporaryBeside(Path("missing/Overlay.dat"), error));
    EXPECT_EQ(error.reason, "the folder does not exist");
    for (const auto& [out, why] : {std::pair{"locked/m.map", "permission denied"},
                                   {"locked/sub/m.map", "the folder does not exist"},
                                   {"missing/m.map", "the folder does not exist"}})
      ExpectRefused("import @m.tmj -o @" + std::string(out), 1,
                    "cannot write " + Path(out) + ": " + why + ".");
  });
}

}  // namespace
}  // namespace korvane::clitest
