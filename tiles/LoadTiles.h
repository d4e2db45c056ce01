#pragma once

#include <memory>
#include <optional>
#include <string>

#include "state/EditorWindows.h"
#include "toolkit/Window.h"

namespace korvane {

// The modeless "Load Tiles" dialog: chooses the tile sheet and its geometry. It starts with the
// built-in sample sheet and 16, 1, 0 every time it is created.
class LoadTiles {
 public:
  explicit LoadTiles(EditorWindows& editor);
  ~LoadTiles();

  std::unique_ptr<toolkit::Window> window;
  toolkit::TextBox* TileSize = nullptr;
  toolkit::TextBox* TileSpacing = nullptr;
  toolkit::TextBox* TileOffset = nullptr;
  toolkit::Label* Label1 = nullptr;
  toolkit::Label* Label2 = nullptr;
  toolkit::Label* Label3 = nullptr;
  toolkit::Surface* Display = nullptr;
  toolkit::Button* LoadPic = nullptr;
  toolkit::Button* OkLoad = nullptr;
  toolkit::Button* CancelLoad = nullptr;

  void Form_Load();
  void LoadPic_Click();
  // The OK procedure; true when the sheet was applied (the dialog is then discarded).
  bool OkLoad_Click();
  void CancelLoad_Click();
  // Applies the dialog's current contents without showing it; shows it when that fails.
  void CheckBitmap();
  // Puts the picture file and the geometry in the dialog and confirms them; the dialog is
  // discarded either way. nullopt when the sheet was applied, else why not.
  std::optional<std::string> ApplyFile(const std::string& path, int16_t size, int16_t spacing,
                                       int16_t offset);

 private:
  EditorWindows& editor_;
  // The file the preview was read from; empty for the sample sheet.
  std::string picturePath_;
};

}  // namespace korvane
