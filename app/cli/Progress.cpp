#include "app/cli/Progress.h"

#include <ostream>

namespace korvane::cli {

ProgressLine::ProgressLine(std::ostream& err, const char* command, bool enabled)
    : err_(err), command_(command), enabled_(enabled) {}

ProgressLine::~ProgressLine() {
  Done();
}

void ProgressLine::operator()(int64_t done, int64_t total) {
  if (!enabled_ || total <= 0) return;
  const int percent = static_cast<int>(done * 100 / total);
  if (percent == lastPercent_) return;
  lastPercent_ = percent;
  err_ << "\rkorvane-cli " << command_ << ": " << percent << "%" << std::flush;
}

void ProgressLine::Done() {
  if (lastPercent_ >= 0) err_ << '\n';
  lastPercent_ = -1;
}

}  // namespace korvane::cli
