#include "toolkit/win32/Win32Toolkit.h"

#include <chrono>
#include <deque>
#include <vector>

#include "toolkit/win32/Win32Dialogs.h"
#include "toolkit/win32/Win32Picture.h"
#include "toolkit/win32/Win32Text.h"
#include "toolkit/win32/Win32Ui.h"
#include "toolkit/win32/Win32Window.h"

namespace korvane::win32 {

namespace {

constexpr UINT kRunLaterMessage = WM_APP + 2;

// One message is posted per piece of work, so the queue and the messages stay in step.
std::deque<std::function<void()>>& LaterWork() {
  static std::deque<std::function<void()>> work;
  return work;
}

LRESULT CALLBACK LaterProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kRunLaterMessage) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  if (LaterWork().empty()) return 0;
  std::function<void()> work = std::move(LaterWork().front());
  LaterWork().pop_front();
  if (work) work();
  return 0;
}

HWND LaterWindow() {
  static const HWND window =
      ::CreateWindowExW(0, RegisterClassOnce(L"KorvaneLater", LaterProcedure), L"", 0, 0, 0, 0, 0,
                        HWND_MESSAGE, nullptr, TheUi().instance, nullptr);
  return window;
}

}  // namespace

Win32Toolkit::Win32Toolkit(std::string commandLine, std::string executableFolder)
    : commandLine_(std::move(commandLine)), executableFolder_(std::move(executableFolder)) {}

std::unique_ptr<toolkit::Window> Win32Toolkit::CreateWindow(toolkit::WindowKind kind,
                                                            const std::string& caption,
                                                            float clientWidth, float clientHeight) {
  return std::make_unique<Win32Window>(kind, caption, clientWidth, clientHeight);
}

toolkit::MessageResult Win32Toolkit::MessageBox(const std::string& prompt,
                                                toolkit::MessageButtons buttons,
                                                const std::string& title) {
  return AskMessage(prompt, buttons, title);
}

void Win32Toolkit::ReportFailure(const std::string& message) {
  ShowFailure(message);
}

std::string Win32Toolkit::InputBox(const std::string& prompt, const std::string& title) {
  return AskInput(prompt, title);
}

std::optional<std::string> Win32Toolkit::FileDialog(const toolkit::FileDialogSpec& request) {
  return AskFile(request);
}

toolkit::PicturePtr Win32Toolkit::LoadPicture(const std::string& path) {
  if (path.empty()) return nullptr;
  // A refused picture is silent in the editor; the reason goes nowhere.
  toolkit::FileError error;
  const auto bytes = files_.ReadAll(path, error, kPictureMemoryLimit + (1 << 20));
  if (!bytes) return nullptr;
  std::string why;
  Bitmap bitmap = DecodeBmp(*bytes, why);
  if (bitmap.Empty()) return nullptr;
  return std::make_shared<Win32Picture>(std::move(bitmap));
}

toolkit::PicturePtr Win32Toolkit::PictureFromImage(const toolkit::RgbImage& image) {
  const bool usable = image.width > 0 && image.height > 0 &&
                      image.pixels.size() == static_cast<size_t>(image.width) * image.height;
  Bitmap bitmap = usable ? Bitmap(image.width, image.height) : Bitmap();
  if (!bitmap.Empty()) {
    toolkit::PixelRows<uint32_t> rows = bitmap.Rows();
    for (int32_t y = 0; y < image.height; ++y)
      for (int32_t x = 0; x < image.width; ++x) {
        const toolkit::Color c = image.At(x, y);
        rows.Row(y)[x] = uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b;
      }
  }
  return std::make_shared<Win32Picture>(std::move(bitmap));
}

toolkit::PixelRows<const uint32_t> Win32Toolkit::PicturePixels(const toolkit::Picture& picture) {
  const auto* own = dynamic_cast<const Win32Picture*>(&picture);
  if (!own || own->Pixels().Empty()) return {};
  return own->Pixels().Rows();
}

std::string Win32Toolkit::ExecutableFolder() const {
  if (!executableFolder_.empty()) return executableFolder_;
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return ".";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? "." : Narrow(path.substr(0, cut));
}

std::string Win32Toolkit::EnvironmentVariable(const std::string& name) const {
  const std::wstring wide = Widen(name);
  const DWORD needed = ::GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
  if (needed == 0) return {};
  std::wstring value(needed, L'\0');
  const DWORD n = ::GetEnvironmentVariableW(wide.c_str(), value.data(), needed);
  value.resize(n < needed ? n : 0);
  return Narrow(value);
}

float Win32Toolkit::ScreenWidth() const {
  return static_cast<float>(::GetSystemMetrics(SM_CXSCREEN) * TheUi().tppX);
}

float Win32Toolkit::ScreenHeight() const {
  return static_cast<float>(::GetSystemMetrics(SM_CYSCREEN) * TheUi().tppY);
}

// A request to end the program met here is left in the queue for the message loop.
void Win32Toolkit::DoEvents() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

void Win32Toolkit::RunLater(std::function<void()> work) {
  LaterWork().push_back(std::move(work));
  ::PostMessageW(LaterWindow(), kRunLaterMessage, 0, 0);
}

void Win32Toolkit::SeedRandomFromTimer() {
  random_.Seed(static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

void Win32Toolkit::RandomFill(std::span<float> out) {
  for (float& v : out) v = random_.NextUnitFloat();
}

void Win32Toolkit::Quit() {
  ::PostQuitMessage(0);
}

void Dispatch(MSG& message) {
  HWND top = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  const auto exStyle = top ? ::GetWindowLongPtrW(top, GWL_EXSTYLE) : 0;
  if ((exStyle & (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME)) && ::IsDialogMessageW(top, &message))
    return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

}  // namespace korvane::win32
