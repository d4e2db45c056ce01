#pragma once

#include <string>

#include "toolkit/SplitMix64.h"
#include "toolkit/Toolkit.h"
#include "toolkit/win32/Win32FileSystem.h"

namespace korvane::win32 {

// The toolkit on the Win32 API: windows and standard controls of user32, drawing with gdi32, the
// common dialogs of comdlg32. Everything runs on the thread that made it.
class Win32Toolkit : public toolkit::Toolkit {
 public:
  // commandLine: the arguments after the program's name, joined with single blanks.
  // executableFolder: where the editor keeps its files; empty for the program's own folder.
  explicit Win32Toolkit(std::string commandLine, std::string executableFolder = {});

  std::unique_ptr<toolkit::Window> CreateWindow(toolkit::WindowKind kind,
                                                const std::string& caption, float clientWidth,
                                                float clientHeight) override;
  toolkit::MessageResult MessageBox(const std::string& prompt, toolkit::MessageButtons buttons,
                                    const std::string& title) override;
  void ReportFailure(const std::string& message) override;
  std::string InputBox(const std::string& prompt, const std::string& title) override;
  std::optional<std::string> FileDialog(const toolkit::FileDialogSpec& request) override;
  // Windows bitmaps, as the system's picture loader reads them.
  toolkit::PicturePtr LoadPicture(const std::string& path) override;
  toolkit::PicturePtr PictureFromImage(const toolkit::RgbImage& image) override;
  toolkit::PixelRows<const uint32_t> PicturePixels(const toolkit::Picture& picture) override;
  std::string CommandLine() const override { return commandLine_; }
  std::string ExecutableFolder() const override;
  std::string EnvironmentVariable(const std::string& name) const override;
  float ScreenWidth() const override;
  float ScreenHeight() const override;
  void DoEvents() override;
  // Through a message to a message-only window, so that modal loops run the work too.
  void RunLater(std::function<void()> work) override;
  void SeedRandomFromTimer() override;
  float Random() override { return random_.NextUnitFloat(); }
  void RandomFill(std::span<float> out) override;
  toolkit::FileSystem& Files() override { return files_; }
  void Quit() override;
  toolkit::DataFolderConvention DataFolders() const override {
    return toolkit::DataFolderConvention::WindowsApplicationData;
  }

 private:
  std::string commandLine_;
  std::string executableFolder_;
  toolkit::SplitMix64 random_;
  Win32FileSystem files_;
};

}  // namespace korvane::win32
