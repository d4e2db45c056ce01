// A save killed at a random moment leaves the old map or the new one on the disk, never a torn
// file: a child process saves a large map over an existing one through the editor's own writer
// and is killed with SIGKILL while it works.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "document/AtomicFile.h"
#include "tests/document/DocumentFixture.h"
#include "toolkit/posix/PosixFileSystem.h"

namespace korvane::testing_document {
namespace {

using CrashDuringSave = DocumentTest;

TEST_F(CrashDuringSave, AKilledSaveLeavesTheOldMapOrTheNewOne) {
  const Grid16 overlay = Pattern(2048, 2048, 1, 977);
  const std::vector<uint8_t> versions[2] = {
      *SerializeMapFile(1, -1, Pattern(2048, 2048, 1), overlay),
      *SerializeMapFile(2, -2, Pattern(2048, 2048, 2), overlay)};
  const std::string target = Path("big.map");
  toolkit::PosixFileSystem disk;
  toolkit::FileError error;
  ASSERT_TRUE(WriteFileAtomically(disk, target, versions[0], error));
  // How long one whole save takes here, so that the kills spread over all of it and past it.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(WriteFileAtomically(disk, Path("probe.map"), versions[1], error));
  const auto save = std::chrono::steady_clock::now() - start;
  std::mt19937 rng(20261206);
  std::uniform_int_distribution<int64_t> delay(
      0, 2 * std::chrono::duration_cast<std::chrono::microseconds>(save).count() + 100);
  int holding = 0, outcomes[2] = {0, 0};  // killed before the rename, finished
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      toolkit::PosixFileSystem childDisk;
      const bool told = ::write(ready[1], "", 1) == 1;
      ::_exit(told && WriteFileAtomically(childDisk, target, versions[1 - holding], error) ? 0 : 1);
    }
    ::close(ready[1]);
    char go = 0;
    ASSERT_EQ(::read(ready[0], &go, 1), 1);
    ::close(ready[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
    ::kill(child, SIGKILL);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::vector<uint8_t> now = disk.ReadAll(target).value_or(std::vector<uint8_t>{});
    ASSERT_TRUE(now == versions[0] || now == versions[1]) << "torn: " << now.size() << " bytes";
    const bool finished = now != versions[holding];
    ++outcomes[finished];
    if (finished) holding = 1 - holding;
    // A killed save's temporary file may stay behind (never as the target); clear it away.
    for (const auto& e : std::filesystem::directory_iterator(maps))
      if (e.path().filename() != "big.map") std::filesystem::remove(e.path());
  }
  EXPECT_GT(outcomes[0], 0);  // the kills landed inside the save
  EXPECT_GT(outcomes[1], 0);  // and after it
}

}  // namespace
}  // namespace korvane::testing_document
