#include "app/cli/OutputFile.h"

#include <cstdint>
#include <span>

namespace korvane::cli {

bool WriteStreamedAtomically(toolkit::FileSystem& files, const std::string& path,
                             const std::function<bool(const JsonWriter::Sink&)>& produce) {
  std::unique_ptr<toolkit::OutputFile> temp = files.CreateTemporaryBeside(path);
  if (!temp) return false;
  const std::string tempPath = temp->Path();
  const JsonWriter::Sink sink = [&temp](std::string_view piece) {
    return temp->Write(std::span(reinterpret_cast<const uint8_t*>(piece.data()), piece.size()));
  };
  const bool written = produce(sink) && temp->Flush();
  const bool closed = temp->Close();
  temp.reset();
  if (written && closed && files.Rename(tempPath, path)) return true;
  files.Remove(tempPath);
  return false;
}

}  // namespace korvane::cli
