// A new map too large for the memory at hand, which runs out while it makes its second layer:
// it fails cleanly, the previous map stays whole and the editor goes on working. The address
// space may grow by a chosen amount only (RLIMIT_AS) while it runs. (A load checks everything
// before it touches the document: MapFileTest.)

#include <sys/resource.h>

#include <fstream>

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

TEST_F(MemoryLimit, ANewMapTooLargeForMemoryKeepsThePreviousMap) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer reserves more address space than any useful cap";
#endif
  PutSmallMap(Path("current.map"));
  view().MapChanged = 0;
  const auto before = Snapshot(view());
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_AS, &old), 0);
  rlimit capped = old;
  capped.rlim_cur = AddressSpaceInUse() + 400 * 1024 * 1024;  // one 256 MiB layer, not two
  ASSERT_EQ(::setrlimit(RLIMIT_AS, &capped), 0);
  tk.inputAnswers = {"16384", "8192"};
  view().MENU_NEW_MAP_Click();
  ASSERT_EQ(::setrlimit(RLIMIT_AS, &old), 0);
  EXPECT_EQ(Snapshot(view()), before);
  headless::H(*view().Display).Refresh();  // and the editor goes on: a press paints a cell
  view().Display_MouseDown(1, 0, 10, 10);
  EXPECT_EQ(view().MapTiles.At(0, 0), 9);
  tk.messageAnswers = {toolkit::MessageResult::Yes};  // with room it goes through
  tk.inputAnswers = {"16384", "8192"};
  view().MENU_NEW_MAP_Click();
  EXPECT_EQ(view().MapWidth, 16384);
}

}  // namespace
}  // namespace korvane::testing_document
