// A save killed at a random moment leaves the old map or the new one on the disk, never a torn
// file: a child process saves a large map over an existing one through the editor's own writer
// and is killed with SIGKILL while it works.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <thread>

#include "document/AtomicFile.h"
#include "tests/hardening/HardeningFixture.h"
#include "toolkit/posix/PosixFileSystem.h"

namespace korvane::hardening {
namespace {

constexpr int kRounds = 100;
constexpr int16_t kSide = 2048;

// Two maps of kSide x kSide that differ in every tile.
std::vector<uint8_t> BigMapBytes(int16_t seed) {
  Grid16 tiles = MakeGrid(kSide, kSide);
  Grid16 overlay = MakeGrid(kSide, kSide);
  auto& cells = tiles.Cells();
  for (size_t i = 0; i < cells.size(); ++i)
    cells[i] = static_cast<int16_t>((i * 7 + static_cast<size_t>(seed)) % 270);
  for (size_t i = static_cast<size_t>(seed); i < overlay.Cells().size(); i += 977)
    overlay.Cells()[i] = static_cast<int16_t>(1 + seed);
  auto bytes = SerializeMapFile(seed, -seed, tiles, overlay);
  EXPECT_TRUE(bytes);
  return bytes ? *bytes : std::vector<uint8_t>{};
}

using CrashDuringSave = HardeningTest;

TEST_F(CrashDuringSave, AKilledSaveLeavesTheOldMapOrTheNewOne) {
  const std::vector<uint8_t> versions[2] = {BigMapBytes(1), BigMapBytes(2)};
  ASSERT_NE(versions[0], versions[1]);
  const std::string target = Path("big.map");
  toolkit::PosixFileSystem disk;
  toolkit::FileError error;
  ASSERT_TRUE(WriteFileAtomically(disk, target, versions[0], error));

  // How long one whole save takes here, so that the kills spread over all of it.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(WriteFileAtomically(disk, Path("probe.map"), versions[1], error));
  const int64_t saveMicros = std::chrono::duration_cast<std::chrono::microseconds>(
                                 std::chrono::steady_clock::now() - start)
                                 .count();

  std::mt19937 rng(20261206);
  std::uniform_int_distribution<int64_t> delay(0, saveMicros * 2 + 100);
  int holding = 0;
  int killedBefore = 0;
  int finished = 0;
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    const int next = 1 - holding;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      toolkit::PosixFileSystem childDisk;
      const char go = 1;
      const bool told = ::write(ready[1], &go, 1) == 1;
      toolkit::FileError childError;
      const bool saved = WriteFileAtomically(childDisk, target, versions[next], childError);
      ::_exit(told && saved ? 0 : 1);
    }
    ::close(ready[1]);
    char go = 0;
    ASSERT_EQ(::read(ready[0], &go, 1), 1);
    ::close(ready[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);

    const std::vector<uint8_t> now = disk.ReadAll(target).value_or(std::vector<uint8_t>{});
    ASSERT_TRUE(now == versions[0] || now == versions[1])
        << "torn target of " << now.size() << " bytes";
    if (now == versions[next]) {
      ++finished;
      holding = next;
    } else {
      ++killedBefore;
    }
    // A killed save's temporary file may stay behind (never as the target); clear it away.
    for (const auto& e : std::filesystem::directory_iterator(maps))
      if (e.path().filename() != "big.map") std::filesystem::remove(e.path());
  }
  // Both outcomes occurred, so the kills did land inside the save and after it.
  EXPECT_GT(killedBefore, 0);
  EXPECT_GT(finished, 0);
}

}  // namespace
}  // namespace korvane::hardening
