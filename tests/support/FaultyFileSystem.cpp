#include "tests/support/FaultyFileSystem.h"

namespace korvane::headless {

namespace {

class FaultyOutputFile : public toolkit::OutputFile {
 public:
  FaultyOutputFile(FaultyFileSystem& owner, std::unique_ptr<toolkit::OutputFile> inner)
      : owner_(owner), inner_(std::move(inner)) {}
  const std::string& Path() const override { return inner_->Path(); }
  bool Write(std::span<const uint8_t> bytes) override {
    if (owner_.Fails("Write")) {
      // A failing write may still have put part of the bytes down, as a full disk does.
      inner_->Write(bytes.first(bytes.size() / 2));
      return false;
    }
    return inner_->Write(bytes);
  }
  bool Flush() override { return !owner_.Fails("Flush") && inner_->Flush(); }
  bool Close() override {
    const bool failed = owner_.Fails("Close");
    return inner_->Close() && !failed;
  }

 private:
  FaultyFileSystem& owner_;
  std::unique_ptr<toolkit::OutputFile> inner_;
};

}  // namespace

bool FaultyFileSystem::Fails(const std::string& name) {
  log.push_back(name);
  return operations++ == failAt;
}

std::optional<std::vector<uint8_t>> FaultyFileSystem::ReadAll(const std::string& path) {
  if (Fails("ReadAll")) return std::nullopt;
  return disk_.ReadAll(path);
}

std::unique_ptr<toolkit::OutputFile> FaultyFileSystem::CreateTemporaryBeside(
    const std::string& target) {
  if (Fails("CreateTemporaryBeside")) return nullptr;
  auto inner = disk_.CreateTemporaryBeside(target);
  if (!inner) return nullptr;
  return std::make_unique<FaultyOutputFile>(*this, std::move(inner));
}

bool FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
  return !Fails("Rename") && disk_.Rename(from, to);
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
