#pragma once

#include <string>
#include <vector>

#include "tests/support/NativeFileSystem.h"

namespace korvane::headless {

// The real disk, with a switch that makes one chosen operation fail with kInjectedFailure.
// Operations are counted across OpenForReading, ReadAt, CreateTemporaryBeside, Write, Flush,
// Close, Rename and Remove, from 0.
class FaultyFileSystem : public toolkit::FileSystem {
 public:
  static constexpr const char* kInjectedFailure = "an input/output error occurred";

  // -1: nothing fails. Otherwise the operation with this number fails (and later ones succeed).
  int failAt = -1;
  // Operations counted so far, and their names in order.
  int operations = 0;
  std::vector<std::string> log;

  // Counts one operation; true, with the injected reason in `error` if given, when it is the one
  // to fail.
  bool Fails(const std::string& name, toolkit::FileError* error = nullptr) {
    log.push_back(name);
    if (operations++ != failAt) return false;
    if (error) *error = toolkit::FileError{kInjectedFailure};
    return true;
  }

  std::unique_ptr<toolkit::InputFile> OpenForReading(const std::string& path,
                                                     toolkit::FileError& error) override {
    if (Fails("OpenForReading", &error)) return nullptr;
    auto inner = disk_.OpenForReading(path, error);
    return inner ? std::make_unique<Input>(*this, std::move(inner)) : nullptr;
  }
  std::unique_ptr<toolkit::OutputFile> CreateTemporaryBeside(const std::string& target,
                                                             toolkit::FileError& error) override {
    if (Fails("CreateTemporaryBeside", &error)) return nullptr;
    auto inner = disk_.CreateTemporaryBeside(target, error);
    return inner ? std::make_unique<Output>(*this, std::move(inner)) : nullptr;
  }
  bool Rename(const std::string& from, const std::string& to, toolkit::FileError& error) override {
    return !Fails("Rename", &error) && disk_.Rename(from, to, error);
  }
  void Remove(const std::string& path) override {
    if (!Fails("Remove")) disk_.Remove(path);
  }
  bool SameFile(const std::string& a, const std::string& b) override {
    return disk_.SameFile(a, b);
  }
  // Not counted, so the numbers of the file operations above stay as they were.
  bool CanCreateFilesIn(const std::string& folder) override {
    return disk_.CanCreateFilesIn(folder);
  }
  bool CreateFolders(const std::string& folder) override { return disk_.CreateFolders(folder); }

 private:
  struct Input : toolkit::InputFile {
    Input(FaultyFileSystem& o, std::unique_ptr<toolkit::InputFile> i)
        : owner(o), inner(std::move(i)) {}
    uint64_t Size() const override { return inner->Size(); }
    bool ReadAt(uint64_t offset, std::span<uint8_t> bytes, toolkit::FileError& error) override {
      return !owner.Fails("ReadAt", &error) && inner->ReadAt(offset, bytes, error);
    }
    FaultyFileSystem& owner;
    std::unique_ptr<toolkit::InputFile> inner;
  };

  struct Output : toolkit::OutputFile {
    Output(FaultyFileSystem& o, std::unique_ptr<toolkit::OutputFile> i)
        : owner(o), inner(std::move(i)) {}
    const std::string& Path() const override { return inner->Path(); }
    const std::string& Target() const override { return inner->Target(); }
    bool Write(std::span<const uint8_t> bytes) override {
      if (!Injected("Write")) return inner->Write(bytes);
      inner->Write(bytes.first(bytes.size() / 2));  // a full disk may take part of the bytes
      return false;
    }
    bool Flush() override { return !Injected("Flush") && inner->Flush(); }
    bool Close() override {
      const bool failed = Injected("Close");
      return inner->Close() && !failed;
    }
    toolkit::FileError LastError() const override {
      return injected.reason.empty() ? inner->LastError() : injected;
    }
    // Whether this operation is the one to fail; LastError reports the injected failure after it.
    bool Injected(const char* name) { return owner.Fails(name, &injected); }
    FaultyFileSystem& owner;
    std::unique_ptr<toolkit::OutputFile> inner;
    toolkit::FileError injected;
  };

  NativeFileSystem disk_;
};

}  // namespace korvane::headless
