#pragma once

#include <cstdint>
#include <iosfwd>

namespace korvane::cli {

// A percentage on one line of the error stream, rewritten in place as long work goes on, for a
// person watching a terminal. Disabled, it prints nothing, so pipelines see only real errors.
class ProgressLine {
 public:
  ProgressLine(std::ostream& err, const char* command, bool enabled);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void operator()(int64_t done, int64_t total);
  // Ends the line, if one was started.
  void Done();

 private:
  std::ostream& err_;
  const char* command_;
  bool enabled_;
  int lastPercent_ = -1;
};

}  // namespace korvane::cli
