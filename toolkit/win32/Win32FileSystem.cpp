#include "toolkit/win32/Win32FileSystem.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <optional>
#include <string_view>
#include <vector>

#include "toolkit/SplitMix64.h"
#include "toolkit/win32/Win32Api.h"
#include "toolkit/win32/Win32Text.h"
#include "toolkit/win32/WindowsPaths.h"

namespace korvane::win32 {

namespace {

using toolkit::FileError;

// A handle that closes itself.
class Handle {
 public:
  explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE Get() const { return h_; }
  HANDLE Release() {
    const HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h;
  }
  bool Close() {
    if (!Valid()) return true;
    const BOOL ok = ::CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok != FALSE;
  }

 private:
  HANDLE h_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

uint64_t Ticks(const FILETIME& t) {
  return uint64_t{t.dwHighDateTime} << 32 | t.dwLowDateTime;
}

uint64_t Now() {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  return Ticks(now);
}

// When this process started, near enough: a temporary file older than this cannot be one that
// this process is still writing.
const uint64_t kStartedAt = Now();

FileError ErrorFrom(DWORD code, bool creating = false) {
  const bool missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
  return FileError{DescribeWindowsError(code, creating), missing && !creating};
}

// Why an open handle is not a file on a disk; empty when it is one.
std::string KindReason(HANDLE h) {
  switch (::GetFileType(h)) {
    case FILE_TYPE_DISK:
      return {};
    case FILE_TYPE_PIPE:
      return "it is a pipe, not a regular file";
    default:
      return "it is a device, not a regular file";
  }
}

// ---- Links ----

// The target a symbolic link or junction at `path` stores, made absolute; nullopt when the path
// is no such link.
std::optional<std::wstring> StoredLinkTarget(const std::wstring& path) {
  Handle h(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!h.Valid()) return std::nullopt;
  std::vector<uint8_t> data(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
  DWORD got = 0;
  if (!::DeviceIoControl(h.Get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(),
                         static_cast<DWORD>(data.size()), &got, nullptr))
    return std::nullopt;
  data.resize(got);
  return ReparseTarget(data, path);
}

std::wstring WithoutLongPrefix(std::wstring path) {
  if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + path.substr(7);
  if (path.rfind(L"\\\\?\\", 0) == 0 && path.size() < MAX_PATH) return path.substr(4);
  return path;
}

// The file a path names once every link and junction on the way is followed. A link to a name
// that does not exist yet gives that name; a path with nothing there gives itself.
std::wstring FollowLinks(std::wstring path, DWORD& failure) {
  failure = ERROR_SUCCESS;
  for (int hop = 0; hop < 40; ++hop) {
    Handle h(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (h.Valid()) {
      std::wstring final(32768, L'\0');
      const DWORD n =
          ::GetFinalPathNameByHandleW(h.Get(), final.data(), static_cast<DWORD>(final.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
      if (n == 0 || n >= final.size()) return path;
      final.resize(n);
      return WithoutLongPrefix(final);
    }
    const DWORD err = ::GetLastError();
    const std::optional<std::wstring> next = StoredLinkTarget(path);
    if (!next) {
      if (err != ERROR_FILE_NOT_FOUND && err != ERROR_PATH_NOT_FOUND) failure = err;
      return path;
    }
    path = *next;
  }
  failure = ERROR_CANT_RESOLVE_FILENAME;  // a loop of links
  return path;
}

// ---- Files ----

class Win32InputFile : public toolkit::InputFile {
 public:
  Win32InputFile(HANDLE h, uint64_t size) : h_(h), size_(size) {}
  uint64_t Size() const override { return size_; }

  bool ReadAt(uint64_t offset, std::span<uint8_t> bytes, FileError& error) override {
    while (!bytes.empty()) {
      OVERLAPPED at{};
      at.Offset = static_cast<DWORD>(offset);
      at.OffsetHigh = static_cast<DWORD>(offset >> 32);
      const auto asked = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
      DWORD got = 0;
      if (!::ReadFile(h_.Get(), bytes.data(), asked, &got, &at)) {
        const DWORD err = ::GetLastError();
        error = err == ERROR_HANDLE_EOF ? FileError{"the file became shorter while it was read"}
                                        : ErrorFrom(err);
        return false;
      }
      if (got == 0) {
        error = FileError{"the file became shorter while it was read"};
        return false;
      }
      bytes = bytes.subspan(got);
      offset += got;
    }
    return true;
  }

 private:
  Handle h_;
  uint64_t size_;
};

class Win32OutputFile : public toolkit::OutputFile {
 public:
  Win32OutputFile(HANDLE h, std::string path, std::string target)
      : h_(h), path_(std::move(path)), target_(std::move(target)) {}

  const std::string& Path() const override { return path_; }
  const std::string& Target() const override { return target_; }

  bool Write(std::span<const uint8_t> bytes) override {
    if (!h_.Valid()) return Failed(ERROR_INVALID_HANDLE);
    while (!bytes.empty()) {
      const auto asked = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
      DWORD written = 0;
      if (!::WriteFile(h_.Get(), bytes.data(), asked, &written, nullptr) || written == 0)
        return Failed(::GetLastError());
      bytes = bytes.subspan(written);
    }
    return true;
  }

  bool Flush() override {
    if (!h_.Valid()) return Failed(ERROR_INVALID_HANDLE);
    return ::FlushFileBuffers(h_.Get()) || Failed(::GetLastError());
  }

  bool Close() override { return h_.Close() || Failed(::GetLastError()); }

  FileError LastError() const override {
    return lastError_ == ERROR_SUCCESS ? FileError{} : ErrorFrom(lastError_);
  }

 private:
  bool Failed(DWORD code) {
    lastError_ = code == ERROR_SUCCESS ? ERROR_WRITE_FAULT : code;
    return false;
  }

  Handle h_;
  std::string path_;
  std::string target_;
  DWORD lastError_ = ERROR_SUCCESS;
};

std::wstring RandomSuffix() {
  static toolkit::SplitMix64 random(Now() ^ (uint64_t{::GetCurrentProcessId()} << 32));
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::wstring suffix;
  for (int i = 0; i < 6; ++i) suffix += static_cast<wchar_t>(kLetters[random() % 62]);
  return suffix;
}

}  // namespace

// This process's own saves wrote after its start; another's save, between its flush and its
// rename, wrote less than a minute ago. A file still held open is not deleted: deleting fails.
void RemoveLeftovers(const std::wstring& folder, const std::wstring& prefix, uint64_t startedAt,
                     uint64_t now) {
  constexpr uint64_t kMinute = 60ull * 10'000'000;  // in 100 ns
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(Join(folder, prefix + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    const uint64_t written = Ticks(found.ftLastWriteTime);
    if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0 &&
        !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && written < startedAt &&
        written + kMinute < now)
      ::DeleteFileW(Join(folder, name).c_str());
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

std::string DescribeWindowsError(uint32_t code, bool creating) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return creating ? "the folder does not exist" : "there is no such file";
    case ERROR_ACCESS_DENIED:
      return "permission denied";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "another program is using the file";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "no space left on the device";
    case ERROR_WRITE_PROTECT:
      return "the file system is read-only";
    case ERROR_DIRECTORY:
      return "a part of the path is not a folder";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return "the name is not a valid file name";
    case ERROR_FILENAME_EXCED_RANGE:
      return "the name is too long";
    case ERROR_CANT_RESOLVE_FILENAME:
      return "the symbolic links form a loop";
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
      return "an input/output error occurred";
    default:
      break;
  }
  wchar_t* text = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring words = n > 0 && text ? std::wstring(text, n) : std::wstring();
  if (text) ::LocalFree(text);
  while (!words.empty() && (std::iswspace(words.back()) || words.back() == L'.')) words.pop_back();
  if (words.empty()) return "Windows error " + std::to_string(code);
  words[0] = static_cast<wchar_t>(std::towlower(words[0]));
  return Narrow(words);
}

std::string DeviceReason(const std::string& path) {
  return Narrow(DeviceReasonWide(Widen(path)));
}

std::unique_ptr<toolkit::InputFile> Win32FileSystem::OpenForReading(const std::string& path,
                                                                    FileError& error) {
  if (path.empty()) {
    error = FileError{"no file name was given", true};
    return nullptr;
  }
  const std::wstring wide = Widen(path);
  if (const std::wstring device = DeviceReasonWide(wide); !device.empty()) {
    error = FileError{Narrow(device)};
    return nullptr;
  }
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    error = FileError{"it is a folder, not a file"};
    return nullptr;
  }
  Handle h(::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!h.Valid()) {
    error = ErrorFrom(::GetLastError());
    return nullptr;
  }
  if (const std::string kind = KindReason(h.Get()); !kind.empty()) {
    error = FileError{kind};
    return nullptr;
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(h.Get(), &size)) {
    error = ErrorFrom(::GetLastError());
    return nullptr;
  }
  return std::make_unique<Win32InputFile>(h.Release(), static_cast<uint64_t>(size.QuadPart));
}

std::unique_ptr<toolkit::OutputFile> Win32FileSystem::CreateTemporaryBeside(
    const std::string& target, FileError& error) {
  if (target.empty()) {
    error = FileError{"no file name was given", true};
    return nullptr;
  }
  const std::wstring wide = Widen(target);
  if (const std::wstring device = DeviceReasonWide(wide); !device.empty()) {
    error = FileError{Narrow(device)};
    return nullptr;
  }
  DWORD failure = ERROR_SUCCESS;
  const std::wstring file = FollowLinks(wide, failure);
  if (failure != ERROR_SUCCESS) {
    error = ErrorFrom(failure, true);
    return nullptr;
  }
  // Devices are never replaced by a file. Asked first: one that a link leads to (under Wine, a
  // Linux link to /dev/null) may have no attributes to give.
  if (Handle existing(
          ::CreateFileW(file.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
      existing.Valid()) {
    if (const std::string kind = KindReason(existing.Get()); !kind.empty()) {
      error = FileError{kind};
      return nullptr;
    }
  }
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD err = ::GetLastError();
    if (err != ERROR_FILE_NOT_FOUND) {  // the folder is missing or cannot be searched
      error = ErrorFrom(err, true);
      return nullptr;
    }
  } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    error = FileError{"it is a folder, not a file"};
    return nullptr;
  }
  const std::wstring folder = FolderOf(file);
  const std::wstring prefix = Widen(toolkit::TemporaryPrefixFor(Narrow(NameOf(file))));
  RemoveLeftovers(folder, prefix, kStartedAt, Now());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring path = Join(folder, prefix + RandomSuffix());
    // Open to nobody else while it is written.
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE)
      return std::make_unique<Win32OutputFile>(h, Narrow(path), Narrow(file));
    const DWORD err = ::GetLastError();
    if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) {
      error = ErrorFrom(err, true);
      return nullptr;
    }
  }
  error = FileError{"no unused temporary name was found beside it"};
  return nullptr;
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to, FileError& error) {
  const std::wstring source = Widen(from);
  const std::wstring target = Widen(to);
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  // The new file takes on the old one's hidden, system and archive marks, as a save should. The
  // move itself is one rename: ReplaceFileW would keep the old file's access list too, but it
  // moves the old file out before it moves the new one in (under Wine a plain delete and
  // rename), and a save stopped between the two would leave no map at the target at all.
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
      (attributes & kKept) != 0)
    ::SetFileAttributesW(source.c_str(), attributes & kKept);
  if (::MoveFileExW(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  const DWORD err = ::GetLastError();
  error = err == ERROR_FILE_NOT_FOUND
              ? FileError{"the temporary file or its folder has disappeared"}
              : ErrorFrom(err, true);
  return false;
}

void Win32FileSystem::Remove(const std::string& path) {
  ::DeleteFileW(Widen(path).c_str());
}

bool Win32FileSystem::SameFile(const std::string& a, const std::string& b) {
  const auto identify = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    Handle h(::CreateFileW(Widen(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return h.Valid() && ::GetFileInformationByHandle(h.Get(), &info);
  };
  BY_HANDLE_FILE_INFORMATION ia{}, ib{};
  return identify(a, ia) && identify(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

bool Win32FileSystem::CanCreateFilesIn(const std::string& folder) {
  if (folder.empty()) return false;
  const std::wstring wide = Widen(folder);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  const std::wstring probe = Join(wide, L".korvane-probe-" + RandomSuffix());
  Handle h(::CreateFileW(
      probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return h.Valid();
}

// Each level from the top down; a level that already exists is fine as long as it is a folder.
// A new folder takes the permissions of the one it is made in (the user's own, under the user's
// application data).
bool Win32FileSystem::CreateFolders(const std::string& folder) {
  if (folder.empty()) return false;
  const std::wstring wide = Widen(folder);
  const size_t root = RootLength(wide);
  for (size_t end = wide.find_first_of(L"\\/", root);; end = wide.find_first_of(L"\\/", end + 1)) {
    const std::wstring level = wide.substr(0, end);
    if (level.size() > root && !IsSeparator(level.back()) &&
        !::CreateDirectoryW(level.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
      return false;
    if (end == std::wstring::npos) break;
  }
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace korvane::win32
