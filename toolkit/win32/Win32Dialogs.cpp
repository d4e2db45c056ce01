#include "toolkit/win32/Win32Dialogs.h"

#include <cstring>
#include <vector>

#include "toolkit/win32/Win32Api.h"
#include "toolkit/win32/Win32Text.h"
#include "toolkit/win32/Win32Ui.h"

namespace korvane::win32 {

namespace {

std::wstring TitleOrApplication(const std::string& title) {
  return Widen(title.empty() ? std::string(toolkit::kApplicationTitle) : title);
}

// The window of this program the user works in, which a modal question belongs to.
HWND ActiveOwner() {
  return ::GetActiveWindow();
}

// ---- The input box's dialog, laid out in dialog units ----

constexpr WORD kPromptId = 100;
constexpr WORD kTextId = 101;

// A dialog template built in memory: the header, then each control, every part on a 4-byte
// boundary as the system requires.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short cx, short cy, WORD controls) {
    DLGTEMPLATE header{};
    header.style = style;
    header.cdit = controls;
    header.cx = cx;
    header.cy = cy;
    Append(&header, sizeof header);
    Word(0);  // no menu
    Word(0);  // the standard dialog class
    Word(0);  // no title: set when the dialog starts
    Word(8);  // the font's points, then its name
    Text(L"MS Shell Dlg");
  }

  void Control(WORD id, WORD atom, DWORD style, short x, short y, short cx, short cy) {
    Align();
    DLGITEMTEMPLATE item{};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    Append(&item, sizeof item);
    Word(0xFFFF);  // a predefined class by its atom
    Word(atom);
    Word(0);  // no text: set when the dialog starts
    Word(0);  // no creation data
  }

  const DLGTEMPLATE* Get() {
    Align();
    return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data());
  }

 private:
  void Append(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  }
  void Word(WORD w) { Append(&w, sizeof w); }
  void Text(const wchar_t* text) { Append(text, (std::wcslen(text) + 1) * sizeof(wchar_t)); }
  void Align() {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
  }
  // Its start is aligned for any type, as the system expects.
  std::vector<uint8_t> bytes_;
};

struct InputRequest {
  std::wstring prompt;
  std::wstring title;
  std::wstring typed;
};

INT_PTR CALLBACK InputProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      const auto* request = reinterpret_cast<const InputRequest*>(lParam);
      ::SetWindowTextW(dialog, request->title.c_str());
      ::SetDlgItemTextW(dialog, kPromptId, request->prompt.c_str());
      ::SetDlgItemTextW(dialog, IDOK, L"OK");
      ::SetDlgItemTextW(dialog, IDCANCEL, L"Cancel");
      ::SetFocus(::GetDlgItem(dialog, kTextId));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* request = reinterpret_cast<InputRequest*>(::GetWindowLongPtrW(dialog, DWLP_USER));
        HWND text = ::GetDlgItem(dialog, kTextId);
        request->typed.assign(static_cast<size_t>(::GetWindowTextLengthW(text)) + 1, L'\0');
        request->typed.resize(static_cast<size_t>(::GetWindowTextW(
            text, request->typed.data(), static_cast<int>(request->typed.size()))));
        ::EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

toolkit::MessageResult AskMessage(const std::string& prompt, toolkit::MessageButtons buttons,
                                  const std::string& title) {
  const bool cancel = buttons == toolkit::MessageButtons::YesNoCancel;
  const int answer =
      ::MessageBoxW(ActiveOwner(), Widen(prompt).c_str(), TitleOrApplication(title).c_str(),
                    (cancel ? MB_YESNOCANCEL : MB_YESNO) | MB_SETFOREGROUND);
  if (answer == IDYES) return toolkit::MessageResult::Yes;
  // A Yes/No box can only be answered No; closing a Yes/No/Cancel box means Cancel.
  if (answer == IDNO || !cancel) return toolkit::MessageResult::No;
  return toolkit::MessageResult::Cancel;
}

void ShowFailure(const std::string& message) {
  ::MessageBoxW(ActiveOwner(), Widen(message).c_str(), TitleOrApplication("").c_str(),
                MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

std::string AskInput(const std::string& prompt, const std::string& title) {
  DialogTemplate dialog(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                        240, 84, 4);
  dialog.Control(kPromptId, 0x0082, SS_LEFT | SS_NOPREFIX, 7, 7, 170, 48);
  dialog.Control(IDOK, 0x0080, BS_DEFPUSHBUTTON | WS_TABSTOP, 184, 7, 50, 14);
  dialog.Control(IDCANCEL, 0x0080, BS_PUSHBUTTON | WS_TABSTOP, 184, 25, 50, 14);
  dialog.Control(kTextId, 0x0081, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 62, 226, 14);
  InputRequest request{Widen(prompt), TitleOrApplication(title), {}};
  const INT_PTR answer =
      ::DialogBoxIndirectParamW(TheUi().instance, dialog.Get(), ActiveOwner(), InputProcedure,
                                reinterpret_cast<LPARAM>(&request));
  return answer == IDOK ? Narrow(request.typed) : std::string();
}

std::wstring CommonDialogFilter(const std::string& filter) {
  std::wstring out;
  size_t start = 0;
  std::vector<std::string> parts;
  for (size_t bar = filter.find('|');; bar = filter.find('|', start)) {
    parts.push_back(
        filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i + 1].empty()) continue;
    out += Widen(parts[i]) + L'\0' + Widen(parts[i + 1]) + L'\0';
  }
  return out + L'\0';
}

std::optional<std::string> AskFile(const toolkit::FileDialogSpec& request) {
  const bool save = request.mode == toolkit::FileDialogMode::Save;
  const std::wstring filter = CommonDialogFilter(request.filter);
  std::wstring extension = Widen(request.defaultExtension);
  if (!extension.empty() && extension.front() == L'.') extension.erase(0, 1);
  std::vector<wchar_t> chosen(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = ActiveOwner();
  dialog.lpstrFilter = filter.size() > 1 ? filter.c_str() : nullptr;
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = chosen.data();
  dialog.nMaxFile = static_cast<DWORD>(chosen.size());
  // With a default extension set, the Explorer-style dialog appends the chosen filter's own
  // extension to a name typed without one, which is what extensionFromFilter asks for.
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  // The editor's flags are the dialog's own bits; the editor works with whole paths, so the
  // program's current folder is left as it was.
  dialog.Flags = static_cast<DWORD>(request.flags) | OFN_EXPLORER | OFN_NOCHANGEDIR;
  const BOOL picked = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
  if (!picked || chosen[0] == L'\0') return std::nullopt;
  return Narrow(chosen.data());
}

}  // namespace korvane::win32
