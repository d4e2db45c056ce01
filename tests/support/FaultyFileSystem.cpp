#include "tests/support/FaultyFileSystem.h"

namespace korvane::headless {

namespace {

using toolkit::FileError;

class FaultyInputFile : public toolkit::InputFile {
 public:
  FaultyInputFile(FaultyFileSystem& owner, std::unique_ptr<toolkit::InputFile> inner)
      : owner_(owner), inner_(std::move(inner)) {}
  uint64_t Size() const override { return inner_->Size(); }
  bool ReadAt(uint64_t offset, std::span<uint8_t> bytes, FileError& error) override {
    if (!owner_.Fails("ReadAt")) return inner_->ReadAt(offset, bytes, error);
    error = FileError{FaultyFileSystem::kInjectedFailure};
    return false;
  }

 private:
  FaultyFileSystem& owner_;
  std::unique_ptr<toolkit::InputFile> inner_;
};

class FaultyOutputFile : public toolkit::OutputFile {
 public:
  FaultyOutputFile(FaultyFileSystem& owner, std::unique_ptr<toolkit::OutputFile> inner)
      : owner_(owner), inner_(std::move(inner)) {}
  const std::string& Path() const override { return inner_->Path(); }
  const std::string& Target() const override { return inner_->Target(); }
  bool Write(std::span<const uint8_t> bytes) override {
    if (Injected("Write")) {
      // A failing write may still have put part of the bytes down, as a full disk does.
      inner_->Write(bytes.first(bytes.size() / 2));
      return false;
    }
    return inner_->Write(bytes);
  }
  bool Flush() override { return !Injected("Flush") && inner_->Flush(); }
  bool Close() override {
    const bool failed = Injected("Close");
    return inner_->Close() && !failed;
  }
  FileError LastError() const override {
    return injected_ ? FileError{FaultyFileSystem::kInjectedFailure} : inner_->LastError();
  }

 private:
  // Whether this operation is the one to fail; LastError reports the injected failure after it.
  bool Injected(const char* name) {
    if (!owner_.Fails(name)) return false;
    injected_ = true;
    return true;
  }

  FaultyFileSystem& owner_;
  std::unique_ptr<toolkit::OutputFile> inner_;
  bool injected_ = false;
};

}  // namespace

bool FaultyFileSystem::Fails(const std::string& name) {
  log.push_back(name);
  return operations++ == failAt;
}

std::unique_ptr<toolkit::InputFile> FaultyFileSystem::OpenForReading(const std::string& path,
                                                                     FileError& error) {
  if (Fails("OpenForReading")) {
    error = FileError{kInjectedFailure};
    return nullptr;
  }
  auto inner = disk_.OpenForReading(path, error);
  if (!inner) return nullptr;
  return std::make_unique<FaultyInputFile>(*this, std::move(inner));
}

std::unique_ptr<toolkit::OutputFile> FaultyFileSystem::CreateTemporaryBeside(
    const std::string& target, FileError& error) {
  if (Fails("CreateTemporaryBeside")) {
    error = FileError{kInjectedFailure};
    return nullptr;
  }
  auto inner = disk_.CreateTemporaryBeside(target, error);
  if (!inner) return nullptr;
  return std::make_unique<FaultyOutputFile>(*this, std::move(inner));
}

bool FaultyFileSystem::Rename(const std::string& from, const std::string& to, FileError& error) {
  if (!Fails("Rename")) return disk_.Rename(from, to, error);
  error = FileError{kInjectedFailure};
  return false;
}

bool FaultyFileSystem::Remove(const std::string& path) {
  return !Fails("Remove") && disk_.Remove(path);
}

bool FaultyFileSystem::CanCreateFilesIn(const std::string& folder) {
  return !readOnlyFolders.contains(folder) && disk_.CanCreateFilesIn(folder);
}

bool FaultyFileSystem::CreateFolders(const std::string& folder) {
  return disk_.CreateFolders(folder);
}

}  // namespace korvane::headless
