// What the real disk layer does with symbolic links and with the temporary files of saves that
// were killed or are still being written. (Outputs and inputs that are not regular files, and a
// save that fails at each of its steps: FileCommandsTest.)

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>

#include "formats/AtomicFile.h"
#include "tests/document/DocumentFixture.h"
#include "toolkit/posix/PosixFileSystem.h"

namespace korvane::testing_document {
namespace {

namespace fs = std::filesystem;

class DiskSafety : public DocumentTest {
 protected:
  bool Save(const std::string& name) { return WriteFileAtomically(disk, Path(name), bytes, error); }

  toolkit::PosixFileSystem disk;
  toolkit::FileError error;
  const std::vector<uint8_t> bytes = {1, 2, 3};
};

TEST_F(DiskSafety, LinksAreFollowedAndTemporaryFilesLockedAndCleanedUp) {
  fs::create_directory(Path("real"));
  WriteBytes(Path("real/map.map"), {9});
  ::chmod(Path("real/map.map").c_str(), 0640);
  fs::create_symlink("real/map.map", Path("link.map"));  // relative, as users make them
  fs::create_symlink("link.map", Path("chain.map"));
  fs::create_symlink("real/new.map", Path("dangling.map"));
  fs::create_symlink("loop-b.map", Path("loop-a.map"));
  fs::create_symlink("loop-a.map", Path("loop-b.map"));
  for (const char* name : {"link.map", "chain.map", "dangling.map"}) EXPECT_TRUE(Save(name));
  EXPECT_EQ(ReadBytes(Path("real/map.map")), bytes);
  EXPECT_EQ(ReadBytes(Path("real/new.map")), bytes);  // a link to no file yet creates that file
  // The replaced file keeps its permissions.
  EXPECT_EQ(fs::status(Path("real/map.map")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_FALSE(Save("loop-a.map"));
  EXPECT_EQ(error.reason, "the symbolic links form a loop");
  for (const char* name : {"link.map", "chain.map", "dangling.map", "loop-a.map", "loop-b.map"})
    EXPECT_TRUE(fs::is_symlink(Path(name))) << name;
  EXPECT_EQ(Names(maps).size(), 6u);  // no temporary file was left
  std::filesystem::remove_all(maps);
  std::filesystem::create_directory(maps);

  // A temporary file is hidden, and locked until it is renamed; a later save to the same target
  // removes only leftovers older than its process that nobody holds locked.
  const std::string prefix = Path(toolkit::TemporaryPrefixFor("m.map"));
  const auto leftover = [&](const std::string& path, bool old) {
    WriteBytes(path, {0});
    if (old) fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(1));
  };
  leftover(prefix + "AAAAAA", true);  // a killed save's: removed
  leftover(Path(toolkit::TemporaryPrefixFor("other.map") + "DDDDDD"), true);  // another target's
  leftover(prefix + "CCCCCC", false);  // younger than this process
  const auto replacement = FileReplacement::Begin(disk, Path("m.map"), error);
  ASSERT_TRUE(replacement && replacement->File().Write(bytes) && replacement->Finish(error));
  const std::string live = replacement->File().Path();  // finished, waiting, still locked
  fs::last_write_time(live, fs::file_time_type::clock::now() - std::chrono::hours(1));
  const int fd = ::open(live.c_str(), O_RDONLY);
  EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0);
  ::close(fd);
  ASSERT_TRUE(Save("m.map"));
  std::vector<std::string> kept = {live.substr(live.rfind('/') + 1), ".m.map.korvane-tmp-CCCCCC",
                                   ".other.map.korvane-tmp-DDDDDD", "m.map"};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(Names(maps), kept);
  ASSERT_TRUE(replacement->Commit(error));
  EXPECT_EQ(Names(maps).size(), 3u);

  // A file another program cuts short while it is read: the read stops and says so.
  const auto input = disk.OpenForReading(Path("m.map"), error);
  ASSERT_NE(input, nullptr);
  fs::resize_file(Path("m.map"), 1);
  std::vector<uint8_t> all(3);
  errno = EIO;  // what an earlier call left behind is not the reason
  EXPECT_FALSE(input->ReadAt(0, all, error));
  EXPECT_EQ(error.reason, "the file became shorter while it was read");
}

// Every error a save or an open can meet is told in words of its own; one the editor has no words
// for is the system's own text, begun in lower case to sit inside a sentence.
TEST(DiskErrors, EachErrorHasItsSentence) {
  using toolkit::DescribeErrno;
  EXPECT_EQ(DescribeErrno(ENOENT), "there is no such file");
  EXPECT_EQ(DescribeErrno(ENOENT, true), "the folder does not exist");
  for (const auto& [err, text] : std::vector<std::pair<int, std::string>>{
           {EACCES, "permission denied"},
           {EPERM, "permission denied"},
           {ENOSPC, "no space left on the device"},
           {EDQUOT, "the disk quota is used up"},
           {EROFS, "the file system is read-only"},
           {ENOTDIR, "a part of the path is not a folder"},
           {EISDIR, "it is a folder, not a file"},
           {ENAMETOOLONG, "the name is too long"},
           {ELOOP, "the symbolic links form a loop"},
           {EIO, "an input/output error occurred"},
           {EBUSY, "device or resource busy"},
       }) {
    EXPECT_EQ(DescribeErrno(err), text);
    EXPECT_EQ(DescribeErrno(err, true), text);
  }
}

// A disk that takes only part of a save (here the file-size limit, which fails a write as a full
// disk does): the save says why, the old file stays and the part written goes.
TEST_F(DiskSafety, ASaveTheDiskCannotHoldFailsAndKeepsTheOldFile) {
  WriteBytes(Path("m.map"), {9});
  const pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit cap{4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &cap) != 0) ::_exit(2);
    const bool saved = WriteFileAtomically(disk, Path("m.map"), std::vector<uint8_t>(10000), error);
    ::_exit(saved || error.reason.empty() ? 1 : 0);
  }
  int status = -1;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(ReadBytes(Path("m.map")), std::vector<uint8_t>{9});
  EXPECT_EQ(Names(maps), std::vector<std::string>{"m.map"});
  // The last step, the rename, says why it failed too.
  EXPECT_FALSE(disk.Rename(Path("gone"), Path("m.map"), error));
  EXPECT_EQ(error.reason, "the temporary file or its folder has disappeared");
  fs::create_directory(Path("folder"));
  WriteBytes(Path("folder/x"), {1});
  EXPECT_FALSE(disk.Rename(Path("m.map"), Path("folder"), error));
  EXPECT_EQ(error.reason, "it is a folder, not a file");
}

}  // namespace
}  // namespace korvane::testing_document
