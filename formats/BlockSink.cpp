#include "formats/BlockSink.h"

namespace korvane {

void BlockSink::Put(std::string_view text) {
  if (!ok_) return;
  buffer_ += text;
  if (buffer_.size() >= kBlock) Flush();
}

bool BlockSink::Flush() {
  if (!buffer_.empty()) ok_ = sink_(buffer_);  // empty whenever a write has failed
  buffer_.clear();
  return ok_;
}

}  // namespace korvane
