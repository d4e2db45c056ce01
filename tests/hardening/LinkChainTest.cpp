// How long a chain of symbolic links a save follows: as far as the system itself would (40
// links), and not one link further.

#include "formats/AtomicFile.h"
#include "tests/document/DocumentFixture.h"
#include "toolkit/posix/PosixFileSystem.h"

namespace korvane::testing_document {
namespace {

TEST_F(DocumentTest, ASaveFollowsFortyLinksButNotFortyOne) {
  toolkit::PosixFileSystem disk;
  const std::vector<uint8_t> bytes{5};
  for (const int links : {40, 41}) {
    SCOPED_TRACE(links);
    const std::string prefix = "chain" + std::to_string(links) + "-";
    for (int i = 1; i <= links; ++i)
      std::filesystem::create_symlink(prefix + std::to_string(i - 1),
                                      Path(prefix + std::to_string(i)));
    toolkit::FileError error;
    const bool saved =
        WriteFileAtomically(disk, Path(prefix + std::to_string(links)), bytes, error);
    EXPECT_EQ(saved, links == 40) << error.reason;
    EXPECT_EQ(ReadBytes(Path(prefix + "0")), saved ? bytes : std::vector<uint8_t>{});
    EXPECT_EQ(error.reason, saved ? "" : "the symbolic links form a loop");
  }
}

}  // namespace
}  // namespace korvane::testing_document
