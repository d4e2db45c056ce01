#include "document/AtomicFile.h"

#include <memory>

namespace korvane {

bool WriteFileAtomically(toolkit::FileSystem& files, const std::string& path,
                         std::span<const uint8_t> bytes) {
  return WriteFileAtomically(files, path,
                             [bytes](toolkit::OutputFile& file) { return file.Write(bytes); });
}

bool WriteFileAtomically(toolkit::FileSystem& files, const std::string& path,
                         const std::function<bool(toolkit::OutputFile&)>& write) {
  std::unique_ptr<toolkit::OutputFile> temp = files.CreateTemporaryBeside(path);
  if (!temp) return false;
  const std::string tempPath = temp->Path();
  if (write(*temp) && temp->Flush() && temp->Close() && files.Rename(tempPath, path)) return true;
  // The target was never touched; only the half-written temporary file has to go.
  temp->Close();
  files.Remove(tempPath);
  return false;
}

}  // namespace korvane
