#pragma once

// Shared set-up of the command-line tests: a fresh folder per test, map files built with the
// editor's writer, and RunCli driven with captured output.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/CliCommands.h"
#include "document/Grid16.h"
#include "document/MapFile.h"
#include "tests/document/DocumentFixture.h"
#include "tests/support/EditorFixture.h"
#include "toolkit/posix/PosixFileSystem.h"

namespace korvane::clitest {

using testing_document::ReadBytes;
using testing_document::WriteBytes;
inline Grid16 Grid(int32_t w, int32_t h, const std::vector<int16_t>& cells = {}) {
  return testing_document::MakeGrid(w, h, cells);
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct RunResult {
  int code = -1;
  std::string out;
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    // A picture service that knows one picture size, and a stand-in for the sample PNG.
    services_.pictureSize =
        [this](const std::string& path) -> std::variant<std::pair<int32_t, int32_t>, std::string> {
      if (!std::filesystem::exists(path)) return std::string("there is no such file");
      return pictureSize_;
    };
    services_.samplePng = [] { return std::vector<uint8_t>{0x89, 'P', 'N', 'G'}; };
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // Writes a map with the editor's own writer and returns its path.
  std::string WriteMap(const std::string& name, const Grid16& tiles, const Grid16& overlay,
                       int32_t human = 0, int32_t computer = 0) {
    WriteBytes(Path(name), *SerializeMapFile(human, computer, tiles, overlay));
    return Path(name);
  }

  RunResult Run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    cli::CliContext context{out, err, files_, services_, false};
    const int code = cli::RunCli(args, context);
    return {code, out.str(), err.str()};
  }

  std::filesystem::path dir_ = testing_support::FreshFolder();
  toolkit::PosixFileSystem files_;
  cli::CliServices services_;
  std::pair<int32_t, int32_t> pictureSize_{64, 48};
};

}  // namespace korvane::clitest
