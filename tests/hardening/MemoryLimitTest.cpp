// Maps too large for the memory at hand: a load or a new map that runs out of memory fails
// cleanly, the previous map stays whole and the editor goes on working. Each case runs in a child
// process whose address space may grow by a chosen amount only (RLIMIT_AS).

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>

#include "tests/document/DocumentFixture.h"

namespace korvane::testing_document {
namespace {

// The address space the process holds now, in bytes.
uint64_t AddressSpaceInUse() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmSize:", 0) == 0) return std::stoull(line.substr(7)) * 1024;
  return 0;
}

using MemoryLimit = DocumentTest;

TEST_F(MemoryLimit, ALoadOrNewMapTooLargeForMemoryKeepsThePreviousMap) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer reserves more address space than any useful cap";
#endif
  // 8192 x 8192 is 128 MiB a layer; the file is read straight into the tile layer.
  std::vector<uint8_t> big = MapBytes(8192, 8192, 7, 9, {}, {});
  big.resize(big.size() + 2 * 8192 * 8192, 1);
  big.insert(big.end(), {0, 0});
  WriteBytes(Path("big.map"), big);
  MapView& v = view();
  const struct {
    uint64_t headroomMiB;
    std::vector<std::string> newMap;  // the sides typed, or none for the load
    bool completes;
  } rows[] = {{200, {}, false},  // room for one layer, not for both
              {1024, {}, true},
              {400, {"16384", "8192"}, false},  // 256 MiB a layer
              {512, {"32767", "32767"}, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.headroomMiB);
    PutSmallMap(Path("current.map"));
    v.MapChanged = 0;
    const DocumentSnapshot before = Snapshot(v);
    const pid_t child = ::fork();
    if (child == 0) {
      const rlim_t cap = AddressSpaceInUse() + row.headroomMiB * 1024 * 1024;
      const rlimit limit{cap, cap};
      if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(1);
      tk.inputAnswers.assign(row.newMap.begin(), row.newMap.end());
      row.newMap.empty() ? v.LoadMap(Path("big.map")) : v.MENU_NEW_MAP_Click();
      if (v.MapWidth != 3) ::_exit(v.MapTiles.Tiles().Cells().back() == 257 ? 10 : 11);
      // The previous map, whole, and the editor goes on: a press paints a cell and the map saves.
      const bool kept = Snapshot(v) == before;
      headless::H(*v.Display).Refresh();
      v.Display_MouseDown(1, 0, 10, 10);
      ::_exit(kept && v.MapTiles.At(0, 0) == 9 && v.SaveNow(Path("after.map")) ? 20 : 21);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, row.completes ? 10 : 20);
  }
}

}  // namespace
}  // namespace korvane::testing_document
