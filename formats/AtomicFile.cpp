#include "formats/AtomicFile.h"

namespace korvane {

std::unique_ptr<FileReplacement> FileReplacement::Begin(toolkit::FileSystem& files,
                                                        const std::string& path,
                                                        toolkit::FileError& error) {
  std::unique_ptr<toolkit::OutputFile> temp = files.CreateTemporaryBeside(path, error);
  if (!temp) return nullptr;
  return std::unique_ptr<FileReplacement>(new FileReplacement(files, std::move(temp)));
}

FileReplacement::~FileReplacement() {
  if (committed_) return;
  // The target was never touched; only the half-written temporary file has to go.
  temp_->Close();
  files_.Remove(temp_->Path());
}

bool FileReplacement::Finish(toolkit::FileError& error) {
  if (finished_) return true;
  if (!temp_->Flush() || !temp_->Close()) {
    error = temp_->LastError();
    return false;
  }
  finished_ = true;
  return true;
}

bool FileReplacement::Commit(toolkit::FileError& error) {
  if (!Finish(error)) return false;
  committed_ = files_.Rename(temp_->Path(), temp_->Target(), error);
  return committed_;
}

bool WriteFileAtomically(toolkit::FileSystem& files, const std::string& path,
                         const std::function<bool(toolkit::OutputFile&)>& write,
                         toolkit::FileError& error) {
  const auto replacement = FileReplacement::Begin(files, path, error);
  if (!replacement) return false;
  if (!write(replacement->File())) {
    error = replacement->File().LastError();
    if (error.reason.empty()) error.reason = "its content could not be made";
    return false;
  }
  return replacement->Commit(error);
}

bool WriteFileAtomically(toolkit::FileSystem& files, const std::string& path,
                         std::span<const uint8_t> bytes, toolkit::FileError& error) {
  return WriteFileAtomically(
      files, path, [bytes](toolkit::OutputFile& file) { return file.Write(bytes); }, error);
}

}  // namespace korvane
