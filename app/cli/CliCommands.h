#pragma once

// korvane-cli: the commands, their help texts and their exit codes, apart from anything that
// needs the screen. Pictures and rendering are handed in as services, so every command can be
// driven from tests with streams and a file system.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "app/cli/SheetGeometry.h"
#include "app/cli/TmjExport.h"
#include "document/MapFile.h"
#include "toolkit/FileSystem.h"

namespace korvane::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitBadUsage = 2;

inline constexpr const char* kProgramName = "korvane-cli";

// What the render command asks of the renderer.
struct RenderRequest {
  // Empty for the built-in sample sheet.
  std::string sheetPath;
  SheetSettings sheet;
  int16_t zoom = 1;
  bool grid = false;
  bool overlay = false;
  // The bytes of the catalogue file given with --catalogue, if any.
  std::optional<std::vector<uint8_t>> catalogue;
};

// What diff -o asks for: the cells from (x, y), width x height, of both maps, drawn side by side.
struct DiffPictureRequest {
  RenderRequest render;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// The encoded PNG, or one sentence saying why the map could not be rendered.
using RenderOutcome = std::variant<std::vector<uint8_t>, std::string>;

// What the commands need from outside the core.
struct CliServices {
  // Pixel width and height of a picture that the editor's picture loader reads, or why it
  // cannot read it.
  std::function<std::variant<std::pair<int32_t, int32_t>, std::string>(const std::string& path)>
      pictureSize;
  // The built-in sample sheet as a PNG file's bytes.
  std::function<std::optional<std::vector<uint8_t>>()> samplePng;
  // Draws the whole map as the editor does.
  std::function<RenderOutcome(const MapDocument&, const RenderRequest&, const ProgressFn&)> render;
  // Draws the region of the request from both maps, the changed cells outlined.
  std::function<RenderOutcome(const MapDocument& before, const MapDocument& after,
                              const DiffPictureRequest&, const ProgressFn&)>
      diffPicture;
  // Draws the map with every cell an N x N block of its tile's average colour.
  std::function<RenderOutcome(const MapDocument&, const RenderRequest&, int32_t cellPixels,
                              const ProgressFn&)>
      overview;
};

struct CliContext {
  std::ostream& out;
  std::ostream& err;
  toolkit::FileSystem& files;
  CliServices services;
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
// with -o), so the caller can set up Qt first.
bool NeedsPictures(const std::vector<std::string>& args);

}  // namespace korvane::cli
