#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Catalogue.h"
#include "state/MapGlobal.h"
#include "state/MapViewState.h"
#include "toolkit/Toolkit.h"

namespace korvane {

// The editor as the windows' handlers see it: the toolkit, the shared state, the main window's
// variables and controls, and what one window asks of another. The handlers of tools/, tiles/,
// overlay/ and document/ work through it alone, so none of them needs another's classes; the
// editor that owns the windows implements it.
//
// A window that does not exist reads as hidden. Asking for the main window, or showing a
// companion, creates it (running its Form_Load) when it does not exist; hiding never does.
class EditorWindows {
 public:
  virtual toolkit::Toolkit& Toolkit() = 0;
  virtual MapGlobal& Global() = 0;
  virtual const MapGlobal& Global() const = 0;
  virtual MapViewState& Main() = 0;
  // Runs the main window's Display_Paint: the visible cells drawn over what the display shows.
  virtual void PaintMap() = 0;

  // ---- The palette, "Tile View" ----
  virtual bool TileViewVisible() const = 0;
  virtual void ShowTileView() = 0;
  virtual void HideTileView() = 0;
  // Creates the palette without showing it, when it does not exist. Its Form_Load empties the
  // sheet settings, so a new sheet is stored only after this.
  virtual void LoadTileView() = 0;
  // The palette's CalculateTiles: the screen measures of the applied tile size.
  virtual void CalculateTiles() = 0;
  // Clears the palette and draws it again.
  virtual void RefreshTileView() = 0;

  // ---- The catalogue, "Data Overlay" ----
  virtual bool DatViewVisible() const = 0;
  virtual void ShowDatView() = 0;
  virtual void HideDatView() = 0;
  // The list position chosen in the catalogue, -1 when none (position 0 is "Remove").
  virtual int16_t ChosenCatalogueEntry() = 0;
  // The catalogue's entries as the window holds them (without "Remove").
  virtual std::vector<CatalogueEntry> CatalogueEntries() = 0;

  // ---- The tile-sheet dialog, "Load Tiles" ----
  virtual void ShowLoadTiles() = 0;
  // The dialog's CheckBitmap: applies what it holds without showing it, or shows it.
  virtual void CheckBitmap() = 0;
  // Closes the dialog without asking; it may be running one of its own handlers.
  virtual void DiscardLoadTiles() = 0;
  // Applies the picture file with this geometry as if it had been chosen and typed into the
  // dialog and confirmed; nullopt when it was applied, else why not, in a few words.
  virtual std::optional<std::string> ApplyTileSheetFile(const std::string& path, int16_t size,
                                                        int16_t spacing, int16_t offset) = 0;

  // ---- Closing ----
  // The palette and the dialog never refuse to close, so closing them is discarding them (one
  // that does not exist is left alone). The catalogue runs its Form_QueryUnload first, which may
  // refuse with false.
  virtual void DiscardTileView() = 0;
  virtual bool UnloadDatView() = 0;

 protected:
  ~EditorWindows() = default;
};

}  // namespace korvane
