#pragma once

// Shared set-up of the command-line tests: a fresh folder per test, map files written by the
// editor's writer, and RunCli driven with captured output.

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/cli/CliCommands.h"
#include "formats/MapFile.h"
#include "tests/document/DocumentFixture.h"
#include "tests/support/EditorFixture.h"
#include "toolkit/Imaging.h"
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
  const std::vector<uint8_t> bytes = ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

// A JSON text the tool wrote, as a document (a test fails when it is no JSON).
inline rapidjson::Document ParsedJson(const std::string& text) {
  rapidjson::Document document;
  document.Parse(text.c_str(), text.size());
  EXPECT_FALSE(document.HasParseError()) << text.substr(0, 200);
  return document;
}

struct RunResult {
  int code;
  std::string out, err;
};

// Pictures as most commands' tests need them: a picture file that exists has one size, and PNG
// encoding gives a stand-in. Nothing is drawn.
class SizedPictures : public toolkit::Imaging {
 public:
  explicit SizedPictures(const std::pair<int32_t, int32_t>& size) : size_(size) {}
  toolkit::PicturePtr LoadPicture(const std::string& path, std::string& why) override {
    if (std::filesystem::exists(path)) return Sized(size_.first, size_.second);
    why = "there is no such file";
    return nullptr;
  }
  toolkit::PicturePtr PictureFromImage(const toolkit::RgbImage& image) override {
    return Sized(image.width, image.height);
  }
  toolkit::PixelRows<const uint32_t> PicturePixels(const toolkit::Picture& picture) override {
    const auto& sized = static_cast<const Picture&>(picture);
    return {nullptr, sized.width, sized.height, 0};
  }
  std::unique_ptr<toolkit::ImageSurface> CreateImageSurface() override { return nullptr; }
  std::optional<std::vector<uint8_t>> EncodePng(
      const toolkit::PixelRows<const uint32_t>&) override {
    return std::vector<uint8_t>{0x89, 'P', 'N', 'G'};
  }

 private:
  struct Picture : headless::HeadlessPicture {
    Picture(int32_t w, int32_t h) : HeadlessPicture(w, h), width(w), height(h) {}
    int32_t width, height;
  };
  static toolkit::PicturePtr Sized(int32_t w, int32_t h) { return std::make_shared<Picture>(w, h); }
  const std::pair<int32_t, int32_t>& size_;
};

class CliTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  std::string WriteMap(const std::string& name, const Grid16& tiles, const OverlayLayer& overlay,
                       int32_t human = 0, int32_t computer = 0) {
    WriteBytes(Path(name), *SerializeMapFile(human, computer, tiles, overlay));
    return Path(name);
  }
  std::string WriteMap(const std::string& name, const Grid16& tiles, const Grid16& overlay,
                       int32_t human = 0, int32_t computer = 0) {
    return WriteMap(name, tiles, testing_document::OverlayOf(overlay), human, computer);
  }

  // Runs a command line given as words; a word starting with '@' names a file in the test's
  // folder. Progress is shown as on a terminal when asked for.
  RunResult Line(const std::string& line, bool showProgress = false) {
    std::vector<std::string> args;
    std::istringstream words(line);
    for (std::string w; words >> w;) args.push_back(w[0] == '@' ? Path(w.substr(1)) : w);
    std::ostringstream out, err;
    cli::CliContext context{out, err, files_, *imaging_, showProgress, nullptr, false};
    const int code = cli::RunCli(args, context);
    return {code, out.str(), err.str()};
  }

  // A refusal: the exit code, nothing on the output, and one line on the error stream that
  // holds the reason.
  // The one line of standard error, for more checks.
  std::string ExpectRefused(const std::string& line, int code, const std::string& reason) {
    const RunResult r = Line(line);
    EXPECT_EQ(r.code, code) << reason;
    EXPECT_EQ(r.out, "") << reason;
    EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    return r.err;
  }

  std::filesystem::path dir_ = testing_support::FreshFolder();
  toolkit::PosixFileSystem files_;
  std::pair<int32_t, int32_t> pictureSize_{64, 48};
  SizedPictures sizedPictures_{pictureSize_};
  // The pictures the commands read, draw and encode.
  toolkit::Imaging* imaging_ = &sizedPictures_;
};

}  // namespace korvane::clitest
