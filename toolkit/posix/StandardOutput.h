#pragma once

// Standard output written straight to its file descriptor, so that a failed write is noticed with
// its reason, and the standard descriptors kept safe for a command-line program.

#include <streambuf>
#include <string>
#include <vector>

namespace korvane::toolkit {

// A stream buffer that writes to a file descriptor and remembers the first failure; once a write
// has failed, every later one fails too, so the stream shows it.
class DescriptorBuffer : public std::streambuf {
 public:
  explicit DescriptorBuffer(int fd);
  DescriptorBuffer(const DescriptorBuffer&) = delete;
  DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

  // Why writing failed, in a few words ("no space left on the device", "it is not open");
  // empty while nothing has failed.
  std::string Problem() const;

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool Drain();

  int fd_;
  std::vector<char> buffer_;
  int error_ = 0;
};

// Makes sure descriptors 0, 1 and 2 are open, on /dev/null where they were closed, so that no
// file the program opens takes their place and receives what was meant for them. A closed
// standard output gets /dev/null for reading only: writing to it still fails, and says so.
void KeepStandardDescriptors();

// A write to a pipe whose reader has gone ends the program at once and quietly (SIGPIPE with
// its default action), as it ends `cat` or `seq` in `... | head`: the shell sees status 141. It
// does so even when the parent left SIGPIPE ignored or blocked.
void EndQuietlyWhenThePipeCloses();

}  // namespace korvane::toolkit
