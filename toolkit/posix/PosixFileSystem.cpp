#include "toolkit/posix/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <new>

#include "toolkit/LargeMemory.h"

namespace korvane::toolkit {

namespace {

class PosixOutputFile : public OutputFile {
 public:
  PosixOutputFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~PosixOutputFile() override { Close(); }

  const std::string& Path() const override { return path_; }

  bool Write(std::span<const uint8_t> bytes) override {
    if (fd_ < 0) return false;
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      bytes = bytes.subspan(static_cast<size_t>(n));
    }
    return true;
  }

  bool Flush() override { return fd_ >= 0 && ::fsync(fd_) == 0; }

  bool Close() override {
    if (fd_ < 0) return true;
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0;
  }

 private:
  int fd_;
  std::string path_;
};

}  // namespace

std::optional<std::vector<uint8_t>> PosixFileSystem::ReadAll(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::vector<uint8_t> bytes;
  try {
    // A large map's bytes land in big pages: fewer page faults while the file is read.
    bytes.reserve(static_cast<size_t>(st.st_size));
    AdviseLargeBlock(bytes.data(), static_cast<size_t>(st.st_size));
    bytes.resize(static_cast<size_t>(st.st_size));
  } catch (const std::bad_alloc&) {
    ::close(fd);
    return std::nullopt;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  ::close(fd);
  if (done != bytes.size()) return std::nullopt;  // the file changed under us
  return bytes;
}

std::unique_ptr<OutputFile> PosixFileSystem::CreateTemporaryBeside(const std::string& target) {
  if (target.empty()) return nullptr;
  std::string pattern = target + ".tmp-XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return nullptr;
  // mkstemp creates the file 0600; a saved map should get the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  return std::make_unique<PosixOutputFile>(fd, pattern);
}

bool PosixFileSystem::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool PosixFileSystem::Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
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
    if (::mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (end == std::string::npos) break;
  }
  struct stat st {};
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace korvane::toolkit
