#include "ops/MapCheck.h"

#include "formats/MapFile.h"

namespace korvane {

std::optional<ReadRefusal> CheckMapFile(toolkit::FileSystem& files, const std::string& path) {
  ReadResult read = KorvaneMapFormat().reader->ReadPath(files, path);
  if (auto* refusal = std::get_if<ReadRefusal>(&read)) return std::move(*refusal);
  return std::nullopt;
}

}  // namespace korvane
