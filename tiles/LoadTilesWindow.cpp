#include <string>

#include "model/SampleSheet.h"
#include "tiles/LoadTiles.h"

namespace korvane {

LoadTiles::LoadTiles(EditorWindows& editor) : editor_(editor) {
  using toolkit::Place;
  window =
      editor_.Toolkit().CreateWindow(toolkit::WindowKind::FixedDialog, "Load Tiles", 8175, 5895);
  toolkit::Window& w = *window;
  LoadPic = w.AddButton("Load Picture", Place{0, 0, 1455, 495});
  Label1 = w.AddLabel("Tile Size", Place{4200, 60, 1215, 255});
  TileSize = w.AddTextBox("16", Place{5520, 0, 855, 315});
  Label2 = w.AddLabel("Tile Spacing", Place{4200, 420, 1215, 255});
  TileSpacing = w.AddTextBox("1", Place{5520, 360, 855, 315});
  Label3 = w.AddLabel("Tile Offset", Place{6480, 60, 855, 255});
  TileOffset = w.AddTextBox("0", Place{7320, 0, 855, 315});
  Display = w.AddSurface(Place{0, 840, 8175, 4455});
  CancelLoad = w.AddButton("Cancel", Place{0, 5400, 1215, 495});
  OkLoad = w.AddButton("Ok", Place{6960, 5400, 1215, 495});
  LoadPic->onClick = [this] { LoadPic_Click(); };
  OkLoad->onClick = [this] { OkLoad_Click(); };
  CancelLoad->onClick = [this] { CancelLoad_Click(); };
}

LoadTiles::~LoadTiles() = default;

// Every opening starts from the sample sheet and the geometry that cuts it.
void LoadTiles::Form_Load() {
  Display->SetPicture(editor_.Toolkit().PictureFromImage(MakeSampleSheet()));
  TileSize->SetText(std::to_string(kSampleTileSize));
  TileSpacing->SetText(std::to_string(kSampleTileSpacing));
  TileOffset->SetText("0");
  picturePath_.clear();
}

void LoadTiles::LoadPic_Click() {
  toolkit::FileDialogSpec dialog;
  dialog.mode = toolkit::FileDialogMode::Open;
  dialog.flags = 4;  // no read-only check box
  dialog.filter = "Windows Bitmap (*.bmp)|*.bmp";
  const auto path = editor_.Toolkit().FileDialog(dialog);
  // A cancelled dialog, or a file that is no picture, leaves the preview as it was.
  if (!path) return;
  toolkit::PicturePtr picture = editor_.Toolkit().LoadPicture(*path);
  if (!picture) return;
  Display->SetPicture(std::move(picture));
  picturePath_ = *path;
}

void LoadTiles::CancelLoad_Click() {
  editor_.DiscardLoadTiles();
}

}  // namespace korvane
