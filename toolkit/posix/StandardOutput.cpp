#include "toolkit/posix/StandardOutput.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "toolkit/posix/PosixFileSystem.h"

namespace korvane::toolkit {

DescriptorBuffer::DescriptorBuffer(int fd) : fd_(fd), buffer_(size_t{1} << 16) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

std::string DescriptorBuffer::Problem() const {
  if (error_ == 0) return "";
  return error_ == EBADF ? "it is not open" : DescribeErrno(error_);
}

bool DescriptorBuffer::Drain() {
  const char* at = pbase();
  auto left = static_cast<size_t>(pptr() - pbase());
  while (left > 0 && error_ == 0) {
    const ssize_t n = ::write(fd_, at, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error_ = errno;
      break;
    }
    at += n;
    left -= static_cast<size_t>(n);
  }
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return error_ == 0;
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int DescriptorBuffer::sync() {
  return Drain() ? 0 : -1;
}

void KeepStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free descriptor is the one just found closed.
    const int opened = ::open("/dev/null", (fd == 2 ? O_WRONLY : O_RDONLY) | O_NOCTTY);
    if (opened >= 0 && opened != fd) {
      ::dup2(opened, fd);
      ::close(opened);
    }
  }
}

void EndQuietlyWhenThePipeCloses() {
  ::signal(SIGPIPE, SIG_DFL);
  sigset_t pipe;
  ::sigemptyset(&pipe);
  ::sigaddset(&pipe, SIGPIPE);
  ::sigprocmask(SIG_UNBLOCK, &pipe, nullptr);
}

}  // namespace korvane::toolkit
