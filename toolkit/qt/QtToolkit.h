#pragma once

#include <string>

#include "toolkit/SplitMix64.h"
#include "toolkit/Toolkit.h"
#include "toolkit/posix/PosixFileSystem.h"

namespace korvane::qt {

// The toolkit on Qt 6 Widgets. A QApplication must exist for as long as this object and every
// window it made.
class QtToolkit : public toolkit::Toolkit {
 public:
  // commandLine: the arguments after the program's name, joined with single blanks.
  // executableFolder: where the editor keeps its files; empty for the program's own folder.
  explicit QtToolkit(std::string commandLine, std::string executableFolder = {});

  std::unique_ptr<toolkit::Window> CreateWindow(toolkit::WindowKind kind,
                                                const std::string& caption, float clientWidth,
                                                float clientHeight) override;
  toolkit::MessageResult MessageBox(const std::string& prompt, toolkit::MessageButtons buttons,
                                    const std::string& title) override;
  void ReportFailure(const std::string& message) override;
  std::string InputBox(const std::string& prompt, const std::string& title) override;
  std::optional<std::string> FileDialog(const toolkit::FileDialogSpec& request) override;
  toolkit::PicturePtr LoadPicture(const std::string& path) override;
  toolkit::PicturePtr PictureFromImage(const toolkit::RgbImage& image) override;
  toolkit::PixelRows<const uint32_t> PicturePixels(const toolkit::Picture& picture) override;
  std::string CommandLine() const override { return commandLine_; }
  std::string ExecutableFolder() const override;
  std::string EnvironmentVariable(const std::string& name) const override;
  float ScreenWidth() const override;
  float ScreenHeight() const override;
  void DoEvents() override;
  void RunLater(std::function<void()> work) override;
  void SeedRandomFromTimer() override;
  float Random() override;
  void RandomFill(std::span<float> out) override;
  toolkit::FileSystem& Files() override { return files_; }
  void Quit() override;

 private:
  std::string commandLine_;
  std::string executableFolder_;
  toolkit::SplitMix64 random_;
  toolkit::PosixFileSystem files_;
};

}  // namespace korvane::qt
