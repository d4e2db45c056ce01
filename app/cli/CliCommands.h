#pragma once

// korvane-cli: the commands, their help texts and their exit codes. Pictures are read, drawn and
// encoded by the toolkit handed in, so every command can be driven from tests with streams, a
// file system and a stand-in for the pictures.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "toolkit/FileSystem.h"
#include "toolkit/Imaging.h"

namespace korvane::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitBadUsage = 2;

inline constexpr const char* kProgramName = "korvane-cli";

struct CliContext {
  std::ostream& out;
  std::ostream& err;
  toolkit::FileSystem& files;
  toolkit::Imaging& imaging;
  // Show progress of long work on `err` (true when it is a terminal).
  bool showProgress = false;
  // Why `out` could not be written, in a few words, once it has failed (empty if not known).
  std::function<std::string()> outputProblem;
  // Set once a failed write to `out` has been reported, so it is reported once.
  bool outputFailureReported = false;
};

// Runs one command line (the arguments after the program's name) and returns the exit code.
// Everything written to `out` is flushed before it returns; when that fails the command fails
// too (exit code 1, 2 for diff) and says so on `err`.
int RunCli(const std::vector<std::string>& args, CliContext& context);

// Whether the arguments ask for a command that reads or draws pictures (render, export and diff
// with -o), so the caller can set up the toolkit's pictures first.
bool NeedsPictures(const std::vector<std::string>& args);

}  // namespace korvane::cli
