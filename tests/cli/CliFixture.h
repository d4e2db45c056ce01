#pragma once

// Shared set-up of the command-line tests: a fresh folder per test, map files built with the
// editor's writer or by hand, and RunCli driven with captured output.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/CliCommands.h"
#include "document/Grid16.h"
#include "document/MapFile.h"
#include "toolkit/posix/PosixFileSystem.h"

namespace korvane::clitest {

inline Grid16 Grid(int32_t w, int32_t h, const std::vector<int16_t>& cells = {}) {
  Grid16 g = *Grid16::TryCreate(w, h);
  for (size_t i = 0; i < cells.size(); ++i) g.Cells()[i] = cells[i];
  return g;
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
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
  void SetUp() override {
    const char* root = std::getenv("KORVANE_TEST_TMP");
    const std::filesystem::path base = root ? root : ::testing::TempDir();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
      if (c == '/') c = '_';
    dir_ = base / "cli" / name;
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    // A picture service that knows one picture size, and a stand-in for the sample PNG.
    services_.pictureSize =
        [this](const std::string& path) -> std::optional<std::pair<int32_t, int32_t>> {
      if (!std::filesystem::exists(path)) return std::nullopt;
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
    std::ostringstream out;
    std::ostringstream err;
    cli::CliContext context{out, err, files_, services_, false};
    RunResult r;
    r.code = cli::RunCli(args, context);
    r.out = out.str();
    r.err = err.str();
    return r;
  }

  std::filesystem::path dir_;
  toolkit::PosixFileSystem files_;
  cli::CliServices services_;
  std::pair<int32_t, int32_t> pictureSize_{64, 48};
};

}  // namespace korvane::clitest
