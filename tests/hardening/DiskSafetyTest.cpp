// What the real disk layer does with outputs that are not plain files, with symbolic links, with
// inputs that would block, and with leftovers of killed saves.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>

#include "document/AtomicFile.h"
#include "document/MapFile.h"
#include "tests/document/DocumentFixture.h"
#include "tests/support/EditorFixture.h"
#include "toolkit/posix/PosixFileSystem.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing_document::ReadBytes;
using testing_document::WriteBytes;

class DiskSafety : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
    error = {};
    return WriteFileAtomically(disk, path, bytes, error);
  }

  fs::path dir = testing_support::FreshFolder();
  toolkit::PosixFileSystem disk;
  toolkit::FileError error;
  const std::vector<uint8_t> bytes = {1, 2, 3};
};

TEST_F(DiskSafety, OnlyRegularFilesAreReplacedOrRead) {
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0644), 0);
  fs::create_directory(Path("folder"));
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  }
  fs::create_symlink(Path("fifo"), Path("to-fifo"));
  struct Case {
    const char* name;
    const char* reason;
  };
  for (const Case& c : {Case{"fifo", "it is a FIFO (named pipe), not a regular file"},
                        Case{"folder", "it is a folder, not a file"},
                        Case{"null", "it is a device, not a regular file"},
                        Case{"to-fifo", "it is a FIFO (named pipe), not a regular file"}}) {
    SCOPED_TRACE(c.name);
    if (!fs::exists(fs::symlink_status(Path(c.name)))) continue;  // a device needs root
    const auto kind = fs::symlink_status(Path(c.name)).type();
    EXPECT_FALSE(Save(Path(c.name), bytes));
    EXPECT_EQ(error.reason, c.reason);
    EXPECT_EQ(fs::symlink_status(Path(c.name)).type(), kind);
    // Opened without waiting: a FIFO with no writer is refused at once instead of blocking.
    toolkit::FileError readError;
    EXPECT_EQ(disk.OpenForReading(Path(c.name), readError), nullptr);
    EXPECT_EQ(readError.reason, c.reason);
    EXPECT_FALSE(readError.notFound);
  }
  EXPECT_EQ(Names().size(), root ? 4u : 3u);  // no temporary file was left
  toolkit::FileError missing;
  EXPECT_EQ(disk.OpenForReading(Path("none"), missing), nullptr);
  EXPECT_TRUE(missing.notFound);
  EXPECT_FALSE(Save(Path("no-folder/a.map"), bytes));
  EXPECT_EQ(error.reason, "the folder does not exist");
}

TEST_F(DiskSafety, ALinkKeepsPointingAtTheFileThatGetsTheNewContent) {
  fs::create_directory(Path("real"));
  WriteBytes(Path("real/map.map"), {9});
  ::chmod(Path("real/map.map").c_str(), 0640);
  fs::create_symlink("real/map.map", Path("link.map"));  // relative, as users make them
  fs::create_symlink("link.map", Path("chain.map"));
  for (const char* name : {"link.map", "chain.map"}) {
    ASSERT_TRUE(Save(Path(name), bytes)) << error.reason;
    EXPECT_TRUE(fs::is_symlink(Path(name)));
  }
  EXPECT_EQ(ReadBytes(Path("real/map.map")), bytes);
  // The replaced file keeps its permissions.
  EXPECT_EQ(fs::status(Path("real/map.map")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // A link to a name that does not exist yet creates that file.
  fs::create_symlink("real/new.map", Path("dangling.map"));
  ASSERT_TRUE(Save(Path("dangling.map"), bytes));
  EXPECT_EQ(ReadBytes(Path("real/new.map")), bytes);
  // Links in a loop name no file: refused, and neither link is replaced.
  fs::create_symlink("loop-b.map", Path("loop-a.map"));
  fs::create_symlink("loop-a.map", Path("loop-b.map"));
  EXPECT_FALSE(Save(Path("loop-a.map"), bytes));
  EXPECT_EQ(error.reason, "the symbolic links form a loop");
  EXPECT_TRUE(fs::is_symlink(Path("loop-a.map")) && fs::is_symlink(Path("loop-b.map")));
  EXPECT_EQ(Names(), (std::vector<std::string>{"chain.map", "dangling.map", "link.map",
                                               "loop-a.map", "loop-b.map", "real"}));
}

TEST_F(DiskSafety, ASaveRemovesOnlyLeftoversNoLiveProcessHolds) {
  const std::string prefix = Path(toolkit::TemporaryPrefixFor("m.map"));
  const auto leftover = [&](const std::string& tail, bool old) {
    WriteBytes(prefix + tail, {0});
    if (old)
      fs::last_write_time(prefix + tail, fs::file_time_type::clock::now() - std::chrono::hours(1));
  };
  leftover("AAAAAA", true);   // a killed save's: removed
  leftover("BBBBBB", true);   // still being written by a live process: kept
  leftover("CCCCCC", false);  // younger than this process: kept
  WriteBytes(Path(toolkit::TemporaryPrefixFor("other.map") + "DDDDDD"), {0});
  const int holder = ::open((prefix + "BBBBBB").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  fs::last_write_time(Path(toolkit::TemporaryPrefixFor("other.map") + "DDDDDD"),
                      fs::file_time_type::clock::now() - std::chrono::hours(1));

  ASSERT_TRUE(Save(Path("m.map"), bytes));
  ::close(holder);
  EXPECT_EQ(Names(),
            (std::vector<std::string>{".m.map.korvane-tmp-BBBBBB", ".m.map.korvane-tmp-CCCCCC",
                                      ".other.map.korvane-tmp-DDDDDD", "m.map"}));
}

TEST_F(DiskSafety, ATemporaryFileStaysLockedUntilItIsRenamed) {
  const auto lockedByAnother = [](const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return locked;
  };
  const auto replacement = FileReplacement::Begin(disk, Path("m.map"), error);
  ASSERT_TRUE(replacement);
  const std::string temp = replacement->File().Path();
  ASSERT_TRUE(replacement->File().Write(bytes));
  ASSERT_TRUE(replacement->Finish(error));  // flushed and closed, as export's first output waits
  EXPECT_TRUE(lockedByAnother(temp));
  ASSERT_TRUE(replacement->Commit(error));
  EXPECT_EQ(ReadBytes(Path("m.map")), bytes);
}

// An input file that counts the bytes asked of it.
class CountingFile : public toolkit::InputFile {
 public:
  explicit CountingFile(std::unique_ptr<toolkit::InputFile> inner) : inner_(std::move(inner)) {}
  uint64_t Size() const override { return inner_->Size(); }
  bool ReadAt(uint64_t offset, std::span<uint8_t> out, toolkit::FileError& error) override {
    read += out.size();
    return inner_->ReadAt(offset, out, error);
  }
  uint64_t read = 0;

 private:
  std::unique_ptr<toolkit::InputFile> inner_;
};

TEST_F(DiskSafety, TheReaderReadsNoMoreThanTheMapHolds) {
  std::vector<uint8_t> file =
      testing_document::MapBytes(300, 200, 1, 2, std::vector<int>(300 * 200, 7), {1, 4, 5, 6});
  const size_t mapBytes = file.size();
  file.resize(mapBytes + (8 << 20));  // padding after the last entry is neither read nor checked
  WriteBytes(Path("padded.map"), file);
  toolkit::FileError openError;
  CountingFile header(disk.OpenForReading(Path("padded.map"), openError));
  ASSERT_TRUE(std::holds_alternative<MapFileContents>(ReadMapHeader(header)));
  EXPECT_EQ(header.read, kTileLayerOffset);
  CountingFile whole(disk.OpenForReading(Path("padded.map"), openError));
  const MapFileParseResult parsed = ReadMapFile(whole);
  ASSERT_TRUE(std::holds_alternative<MapFileContents>(parsed));
  EXPECT_EQ(whole.read, mapBytes);
  EXPECT_EQ(std::get<MapFileContents>(parsed).overlay.At(4, 5), 6);
}

TEST(DescribeErrno, NamesTheCommonFailuresInWords) {
  EXPECT_EQ(toolkit::DescribeErrno(ENOSPC), "no space left on the device");
  EXPECT_EQ(toolkit::DescribeErrno(EACCES), "permission denied");
  EXPECT_EQ(toolkit::DescribeErrno(ENOENT, true), "the folder does not exist");
  EXPECT_EQ(toolkit::DescribeErrno(ENOENT), "there is no such file");
  EXPECT_EQ(toolkit::DescribeErrno(EROFS), "the file system is read-only");
}

}  // namespace
}  // namespace korvane
