#include "app/cli/OutputFile.h"

#include <cstdint>
#include <ostream>
#include <span>

#include "formats/AtomicFile.h"

namespace korvane::cli {

JsonWriter::Sink SinkInto(toolkit::OutputFile& file) {
  return [&file](std::string_view piece) {
    return file.Write(std::span(reinterpret_cast<const uint8_t*>(piece.data()), piece.size()));
  };
}

bool WriteOutput(toolkit::FileSystem& files, std::ostream& out, const std::string& path,
                 const std::function<bool(const JsonWriter::Sink&)>& produce, std::string& why) {
  if (path == kStandardOutput) {
    const JsonWriter::Sink sink = [&out](std::string_view piece) {
      return static_cast<bool>(out.write(piece.data(), static_cast<std::streamsize>(piece.size())));
    };
    if (produce(sink) && out.flush()) return true;
    why = "standard output could not be written";
    return false;
  }
  toolkit::FileError error;
  const bool written = WriteFileAtomically(
      files, path, [&](toolkit::OutputFile& file) { return produce(SinkInto(file)); }, error);
  if (!written) why = error.reason;
  return written;
}

}  // namespace korvane::cli
