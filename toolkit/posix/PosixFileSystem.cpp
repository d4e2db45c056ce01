#include "toolkit/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace korvane::toolkit {

namespace {

// When this process started, near enough: a temporary file older than this cannot be one that
// this process is still writing.
const timespec kStartedAt = [] {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return now;
}();

FileError ErrorFromErrno(int err, bool creating = false) {
  return FileError{DescribeErrno(err, creating), err == ENOENT && !creating};
}

std::string DescribeKind(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder, not a file";
  if (S_ISFIFO(mode)) return "it is a FIFO (named pipe), not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
  if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
  return "it is not a regular file";
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path names once every symbolic link on its last part is followed; the path itself
// when it is no link. A link to a name that does not exist yet gives that name. Nullopt after as
// many links as the system itself follows: a save must not replace the link it stopped at.
std::optional<std::string> FollowLinks(std::string path) {
  constexpr int kMostLinks = 40;  // as Linux itself
  for (int followed = 0;; ++followed) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    if (followed == kMostLinks) return std::nullopt;
    std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 256) + 1, '\0');
    const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
    if (n < 0 || static_cast<size_t>(n) >= link.size()) return path;
    link.resize(static_cast<size_t>(n));
    path = link.front() == '/' ? link : FolderOf(path) + "/" + link;
  }
}

// File times come from a coarser clock than kStartedAt: a margin keeps a file made just after
// the start from counting as older.
bool OlderThanThisProcess(const struct stat& st) {
  constexpr time_t kMarginSeconds = 2;
  return st.st_mtim.tv_sec < kStartedAt.tv_sec - kMarginSeconds;
}

// Removes temporary files that an earlier, killed save to the same target left behind: only
// regular files older than this process that no live process holds locked.
void RemoveLeftovers(const std::string& folder, const std::string& prefix) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const int dirFd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    const int fd =
        ::openat(dirFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && OlderThanThisProcess(st) &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0)
      ::unlinkat(dirFd, name.c_str(), 0);
    ::close(fd);
  }
  ::closedir(dir);
}

// Makes a completed rename survive a power loss, as far as the file system allows.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

class PosixInputFile : public InputFile {
 public:
  PosixInputFile(int fd, uint64_t size) : fd_(fd), size_(size) {}
  ~PosixInputFile() override { ::close(fd_); }

  uint64_t Size() const override { return size_; }

  bool ReadAt(uint64_t offset, std::span<uint8_t> bytes, FileError& error) override {
    while (!bytes.empty()) {
      const ssize_t n = ::pread(fd_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        error = ErrorFromErrno(errno);
        return false;
      }
      if (n == 0) {
        error = FileError{"the file became shorter while it was read"};
        return false;
      }
      bytes = bytes.subspan(static_cast<size_t>(n));
      offset += static_cast<uint64_t>(n);
    }
    return true;
  }

 private:
  int fd_;
  uint64_t size_;
};

class PosixOutputFile : public OutputFile {
 public:
  // `fd` holds the file's lock; a second descriptor of it keeps the lock until this object goes,
  // so the file stays locked from its creation until it has been renamed or removed.
  PosixOutputFile(int fd, std::string path, std::string target, mode_t mode)
      : fd_(fd),
        lockFd_(::fcntl(fd, F_DUPFD_CLOEXEC, 0)),
        path_(std::move(path)),
        target_(std::move(target)),
        mode_(mode) {}
  ~PosixOutputFile() override {
    Close();
    if (lockFd_ >= 0) ::close(lockFd_);
  }

  const std::string& Path() const override { return path_; }
  const std::string& Target() const override { return target_; }

  bool Write(std::span<const uint8_t> bytes) override {
    if (fd_ < 0) return Failed(EBADF);
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        return Failed(errno);
      }
      bytes = bytes.subspan(static_cast<size_t>(n));
    }
    return true;
  }

  // The final permissions are given only now: until then a leftover stays the owner's own
  // (mkstemp's 0600), so the clean-up of a later save can open it.
  bool Flush() override {
    if (fd_ < 0) return Failed(EBADF);
    if (::fchmod(fd_, mode_) != 0 || ::fsync(fd_) != 0) return Failed(errno);
    return true;
  }

  bool Close() override {
    if (fd_ < 0) return true;
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0 || Failed(errno);
  }

  FileError LastError() const override {
    return lastErrno_ == 0 ? FileError{} : ErrorFromErrno(lastErrno_);
  }

 private:
  bool Failed(int err) {
    lastErrno_ = err;
    return false;
  }

  int fd_;
  int lockFd_;
  std::string path_;
  std::string target_;
  mode_t mode_;
  int lastErrno_ = 0;
};

}  // namespace

std::string DescribeErrno(int err, bool creating) {
  switch (err) {
    case ENOENT:
      return creating ? "the folder does not exist" : "there is no such file";
    case EACCES:
    case EPERM:
      return "permission denied";
    case ENOSPC:
      return "no space left on the device";
    case EDQUOT:
      return "the disk quota is used up";
    case EROFS:
      return "the file system is read-only";
    case ENOTDIR:
      return "a part of the path is not a folder";
    case EISDIR:
      return "it is a folder, not a file";
    case ENAMETOOLONG:
      return "the name is too long";
    case ELOOP:
      return "the symbolic links form a loop";
    case EIO:
      return "an input/output error occurred";
    default: {
      std::string text = std::strerror(err);
      if (!text.empty()) text[0] = static_cast<char>(std::tolower(text[0]));
      return text;
    }
  }
}

std::unique_ptr<InputFile> PosixFileSystem::OpenForReading(const std::string& path,
                                                           FileError& error) {
  if (path.empty()) {
    error = FileError{"no file name was given", true};
    return nullptr;
  }
  // Opened without waiting, so a FIFO with no writer is refused below instead of blocking.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  struct stat st {};
  if (fd < 0) {
    // A socket cannot be opened at all; say what it is rather than "no such device".
    const int err = errno;
    error = err == ENXIO && ::stat(path.c_str(), &st) == 0 ? FileError{DescribeKind(st.st_mode)}
                                                           : ErrorFromErrno(err);
    return nullptr;
  }
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = st.st_mode == 0 ? ErrorFromErrno(errno) : FileError{DescribeKind(st.st_mode)};
    ::close(fd);
    return nullptr;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return std::make_unique<PosixInputFile>(fd, static_cast<uint64_t>(st.st_size));
}

std::unique_ptr<OutputFile> PosixFileSystem::CreateTemporaryBeside(const std::string& target,
                                                                   FileError& error) {
  if (target.empty()) {
    error = FileError{"no file name was given", true};
    return nullptr;
  }
  const auto followed = FollowLinks(target);
  if (!followed) {
    error = ErrorFromErrno(ELOOP, true);
    return nullptr;
  }
  const std::string& file = *followed;
  struct stat existing {};
  const bool exists = ::stat(file.c_str(), &existing) == 0;
  if (!exists && errno != ENOENT) {  // a loop of links, a folder that cannot be searched
    error = ErrorFromErrno(errno, true);
    return nullptr;
  }
  // Devices, FIFOs, sockets and folders are never replaced by a file.
  if (exists && !S_ISREG(existing.st_mode)) {
    error = FileError{DescribeKind(existing.st_mode)};
    return nullptr;
  }
  const std::string folder = FolderOf(file);
  const std::string prefix = TemporaryPrefixFor(NameOf(file));
  RemoveLeftovers(folder, prefix);

  std::string pattern = folder + "/" + prefix + "XXXXXX";
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) {
    const bool uncreated =
        errno == ENOENT && !uncreatedFolder_.empty() && folder == uncreatedFolder_;
    error = ErrorFromErrno(uncreated ? uncreatedErrno_ : errno, true);
    return nullptr;
  }
  // Held until the file is renamed or removed: a save running in another process never loses
  // its temporary file to the clean-up above.
  ::flock(fd, LOCK_EX);
  // A replaced file keeps its permissions, a new one gets the usual ones.
  mode_t mode = 0;
  if (exists) {
    mode = existing.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  return std::make_unique<PosixOutputFile>(fd, pattern, file, mode);
}

bool PosixFileSystem::Rename(const std::string& from, const std::string& to, FileError& error) {
  if (::rename(from.c_str(), to.c_str()) != 0) {
    error = errno == ENOENT ? FileError{"the temporary file or its folder has disappeared"}
                            : ErrorFromErrno(errno);
    return false;
  }
  SyncFolder(FolderOf(to));
  return true;
}

void PosixFileSystem::Remove(const std::string& path) {
  ::unlink(path.c_str());
}

bool PosixFileSystem::SameFile(const std::string& a, const std::string& b) {
  struct stat sa {};
  struct stat sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

bool PosixFileSystem::CanCreateFilesIn(const std::string& folder) {
  struct stat st {};
  return !folder.empty() && ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool PosixFileSystem::CreateFolders(const std::string& folder) {
  if (folder.empty()) return false;
  // Each level from the top down; a level that already exists is fine as long as it is a folder.
  for (size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
    const std::string level = folder.substr(0, end);
    if (::mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) {
      uncreatedErrno_ = errno;
      uncreatedFolder_ = folder;
      while (uncreatedFolder_.size() > 1 && uncreatedFolder_.back() == '/')
        uncreatedFolder_.pop_back();
      return false;
    }
    if (end == std::string::npos) break;
  }
  uncreatedFolder_.clear();
  struct stat st {};
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace korvane::toolkit
