#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace korvane {

// Text handed to a sink a block at a time, so that a large document never sits in memory whole.
// The sink returns false on a write failure; nothing more is written after one.
class BlockSink {
 public:
  using Sink = std::function<bool(std::string_view)>;
  explicit BlockSink(Sink sink) : sink_(std::move(sink)) {}

  void Put(std::string_view text);
  // Hands over what is held; false once any write has failed.
  bool Flush();
  bool Ok() const { return ok_; }

 private:
  static constexpr size_t kBlock = size_t{1} << 16;
  Sink sink_;
  std::string buffer_;
  bool ok_ = true;
};

}  // namespace korvane
