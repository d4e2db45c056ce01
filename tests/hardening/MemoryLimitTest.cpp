// Maps too large for the memory at hand: a load or a new map that runs out of memory at any of
// its allocations fails cleanly, the previous map stays whole and the editor goes on working.
// Each case runs in a child process whose address space is capped with RLIMIT_AS.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>

#include "tests/hardening/HardeningFixture.h"

#if defined(__SANITIZE_ADDRESS__)
#define KORVANE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORVANE_ASAN 1
#endif
#endif

namespace korvane::hardening {
namespace {

constexpr int16_t kBigSide = 8192;
constexpr uint64_t kMiB = 1024 * 1024;

// What a child reports through its exit status.
enum Outcome : int {
  kKeptPrevious = 10,  // the command failed and the previous map is intact and editable
  kCompleted = 11,     // the command went through completely
  kPreviousDamaged = 20,
  kResultWrong = 21,
  kEditorUnusable = 22,
};

// The tile that the big test map holds at cell index i.
int16_t BigTile(size_t i) {
  return static_cast<int16_t>(i % 251);
}

// A valid kBigSide x kBigSide map file: BigTile everywhere and one entry, (5, 6) holding 3.
void WriteBigMap(const std::string& path) {
  std::vector<uint8_t> b = testing_document::MapBytes(kBigSide, kBigSide, 7, 9, {}, {});
  const size_t cells = size_t{kBigSide} * size_t{kBigSide};
  const size_t head = b.size();
  b.resize(head + 2 * cells);
  for (size_t i = 0; i < cells; ++i) b[head + 2 * i] = static_cast<uint8_t>(BigTile(i));
  b.insert(b.end(), {1, 0, 5, 0, 6, 0, 3, 0});
  WriteBytes(path, b);
}

// The address space the process holds now, in bytes.
uint64_t AddressSpaceInUse() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmSize:", 0) == 0) return std::stoull(line.substr(7)) * 1024;
  return 0;
}

class MemoryLimit : public HardeningTest {
 protected:
  void SetUp() override {
#ifdef KORVANE_ASAN
    GTEST_SKIP() << "the address sanitizer reserves more address space than any useful cap";
#endif
    HardeningTest::SetUp();
    session = NewSession();
    session->PutSmallMap(Path("current.map"));
    before = Snapshot(session->view());
  }

  // Runs `command` in a child whose address space may grow by `headroom` bytes at most, then
  // checks there that it either went through (`completed` judges the result) or left the previous
  // map intact and editable. Returns the child's outcome.
  int RunCapped(uint64_t headroom, const std::function<void(MapView&)>& command,
                const std::function<bool(MapView&)>& completed) {
    const pid_t child = ::fork();
    if (child == 0) {
      const rlim_t cap = AddressSpaceInUse() + headroom;
      const rlimit limit{cap, cap};
      if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(1);
      ::_exit(RunCommand(command, completed));
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) return -1;
    if (WIFSIGNALED(status)) return 1000 + WTERMSIG(status);
    return WEXITSTATUS(status);
  }

  int RunCommand(const std::function<void(MapView&)>& command,
                 const std::function<bool(MapView&)>& completed) {
    MapView& v = session->view();
    command(v);
    if (v.MapWidth != before.width) return completed(v) ? kCompleted : kResultWrong;
    if (!(Snapshot(v) == before)) return kPreviousDamaged;
    // The editor goes on: a press paints the top-left cell and the map saves.
    headless::H(*v.Display).Refresh();
    v.Display_MouseDown(1, 0, 10, 10);
    if (v.MapTiles.At(0, 0) != 9 || !v.SaveNow(Path("after.map"))) return kEditorUnusable;
    return kKeptPrevious;
  }

  std::unique_ptr<Session> session;
  DocumentSnapshot before;
};

TEST_F(MemoryLimit, ALoadTooLargeForMemoryKeepsThePreviousMap) {
  const std::string big = Path("big.map");
  WriteBigMap(big);
  const auto load = [&](MapView& v) { v.LoadMap(big); };
  const auto loadedWhole = [&](MapView& v) {
    const auto& cells = v.MapTiles.Tiles().Cells();
    for (size_t i = 0; i < cells.size(); i += 4099)
      if (cells[i] != BigTile(i)) return false;
    return v.MapWidth == kBigSide && v.MapHeight == kBigSide && v.HumanResources == 7 &&
           v.ComputerResources == 9 && v.OverlayData.At(5, 6) == 3 && v.MapChanged == 0 &&
           v.MapTiles.UndoTiles() == v.MapTiles.Tiles();
  };
  // Each layer takes 128 MiB and the file is read straight into the tile layer: room for none,
  // for one layer, and for everything.
  const struct {
    uint64_t headroom;
    int expected;
  } cases[] = {{64 * kMiB, kKeptPrevious}, {200 * kMiB, kKeptPrevious}, {1024 * kMiB, kCompleted}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.headroom / kMiB);
    EXPECT_EQ(RunCapped(c.headroom, load, loadedWhole), c.expected);
  }
}

TEST_F(MemoryLimit, ANewMapTooLargeForMemoryKeepsThePreviousMap) {
  const auto newMap = [this](const std::string& w, const std::string& h) {
    return [this, w, h](MapView& v) {
      session->tk.messageAnswers = {toolkit::MessageResult::Yes};
      session->tk.inputAnswers = {w, h};
      v.MENU_NEW_MAP_Click();
    };
  };
  const auto blank = [](int16_t w, int16_t h) {
    return [w, h](MapView& v) {
      const Grid16 zero = MakeGrid(w, h);
      return v.MapChanged == 1 && v.MapTiles.Tiles() == zero && v.OverlayData == zero;
    };
  };
  // 32767 x 32767 needs 2 GiB a layer; 16384 x 8192 fits one 256 MiB layer but not the second.
  EXPECT_EQ(RunCapped(512 * kMiB, newMap("32767", "32767"), blank(32767, 32767)), kKeptPrevious);
  EXPECT_EQ(RunCapped(400 * kMiB, newMap("16384", "8192"), blank(16384, 8192)), kKeptPrevious);
  EXPECT_EQ(RunCapped(512 * kMiB, newMap("4096", "4096"), blank(4096, 4096)), kCompleted);
}

}  // namespace
}  // namespace korvane::hardening
