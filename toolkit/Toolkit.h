#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "toolkit/FileSystem.h"
#include "toolkit/Picture.h"
#include "toolkit/PixelCopy.h"
#include "toolkit/RgbImage.h"
#include "toolkit/Window.h"

namespace korvane::toolkit {

enum class MessageButtons { YesNo, YesNoCancel };
enum class MessageResult { Yes, No, Cancel };

enum class FileDialogMode { Open, Save };

struct FileDialogSpec {
  FileDialogMode mode = FileDialogMode::Open;
  // "Description|pattern", for example "Map File (*.map)|*.map"; more pairs for more filters,
  // each after a further '|'.
  std::string filter;
  // For example ".map"; empty for none.
  std::string defaultExtension;
  int32_t flags = 0;
  // A saved name typed without an extension gets the one of the filter chosen (its first
  // pattern's), instead of defaultExtension, which then only names the first filter's.
  bool extensionFromFilter = false;
};

// Where a platform keeps each user's own data: $XDG_DATA_HOME (or ~/.local/share), or the
// roaming application data folder of Windows (%APPDATA%).
enum class DataFolderConvention { Xdg, WindowsApplicationData };

// The application title that message and input boxes show when no title is given.
inline constexpr const char* kApplicationTitle = "Korvane";

// Everything the editor needs from the screen, the user, the clock and the disk.
class Toolkit {
 public:
  virtual ~Toolkit() = default;

  virtual std::unique_ptr<Window> CreateWindow(WindowKind kind, const std::string& caption,
                                               float clientWidth, float clientHeight) = 0;

  // Modal questions. An empty title means the application title.
  virtual MessageResult MessageBox(const std::string& prompt, MessageButtons buttons,
                                   const std::string& title = "") = 0;
  // Tells the user that something they asked for did not happen (a save, a load), with an OK
  // button and a warning sign; returns once it is dismissed.
  virtual void ReportFailure(const std::string& message) = 0;
  // Returns the typed text; empty when cancelled. The box starts empty.
  virtual std::string InputBox(const std::string& prompt, const std::string& title = "") = 0;
  // The chosen path, or nullopt when the user cancelled.
  virtual std::optional<std::string> FileDialog(const FileDialogSpec& request) = 0;

  // Decodes a picture file; null when it cannot be read or is not a picture.
  virtual PicturePtr LoadPicture(const std::string& path) = 0;
  // Wraps pixels made by the program (the built-in sample sheet).
  virtual PicturePtr PictureFromImage(const RgbImage& image) = 0;
  // The pixels of a picture this toolkit made (0xffRRGGBB or 0x00RRGGBB), valid while the
  // picture lives; `bits` is null when the toolkit keeps none.
  virtual PixelRows<const uint32_t> PicturePixels(const Picture& picture) = 0;

  // The arguments after the program's name, joined with single blanks.
  virtual std::string CommandLine() const = 0;
  // The folder of the running executable, without a trailing separator.
  virtual std::string ExecutableFolder() const = 0;
  // The value of an environment variable; empty when it is unset.
  virtual std::string EnvironmentVariable(const std::string& name) const = 0;
  virtual DataFolderConvention DataFolders() const { return DataFolderConvention::Xdg; }
  virtual float ScreenWidth() const = 0;
  virtual float ScreenHeight() const = 0;
  // One pass over pending window events.
  virtual void DoEvents() = 0;
  // Runs the work once control is back in the event loop, after the events waiting now: many
  // changes made by one handler are then dealt with once. Never runs inside this call.
  virtual void RunLater(std::function<void()> work) = 0;

  virtual void SeedRandomFromTimer() = 0;
  // Uniform in [0, 1).
  virtual float Random() = 0;
  // The next out.size() numbers Random() would return, in order; a toolkit overrides it to draw
  // a whole row of numbers without a call per number.
  virtual void RandomFill(std::span<float> out) {
    for (float& v : out) v = Random();
  }

  virtual FileSystem& Files() = 0;

  // Ends the event loop once the current handler returns.
  virtual void Quit() = 0;
};

}  // namespace korvane::toolkit
