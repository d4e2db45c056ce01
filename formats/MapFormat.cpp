#include "formats/MapFormat.h"

#include <memory>

#include "formats/AtomicFile.h"
#include "formats/MemoryFile.h"

namespace korvane {

ReadResult MapReader::ReadBytes(std::span<const uint8_t> bytes) const {
  MemoryFile file(bytes);
  return Read(file);
}

ReadResult MapReader::ReadPath(toolkit::FileSystem& files, const std::string& path,
                               std::vector<std::string>*) const {
  toolkit::FileError error;
  const auto file = files.OpenForReading(path, error);
  if (!file) return ReadRefusal{error.reason, std::nullopt, true};
  return Read(*file);
}

std::optional<WriteFailure> WriteOutputs(toolkit::FileSystem& files,
                                         std::span<const FormatOutput> outputs) {
  std::vector<std::unique_ptr<FileReplacement>> ready;
  toolkit::FileError error;
  for (const FormatOutput& output : outputs) {
    auto replacement = FileReplacement::Begin(files, output.path, error);
    if (!replacement) return WriteFailure{output.path, error.reason};
    toolkit::OutputFile& file = replacement->File();
    if (!output.produce([&file](std::span<const uint8_t> piece) { return file.Write(piece); })) {
      const std::string why = file.LastError().reason;
      return WriteFailure{output.path, why.empty() ? "its content could not be made" : why};
    }
    if (!replacement->Finish(error)) return WriteFailure{output.path, error.reason};
    ready.push_back(std::move(replacement));
  }
  for (size_t i = 0; i < ready.size(); ++i)
    if (!ready[i]->Commit(error)) return WriteFailure{outputs[i].path, error.reason};
  return std::nullopt;
}

}  // namespace korvane
