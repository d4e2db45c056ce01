#include <optional>
#include <vector>

#include "document/AtomicFile.h"
#include "overlay/Catalogue.h"
#include "overlay/DatView.h"
#include "shell/Editor.h"

namespace korvane {

std::string DatView::CatalogueFile() const {
  return editor_.Toolkit().ExecutableFolder() + "/" + kCatalogueFileName;
}

void DatView::Form_Load() {
  Items->SetListIndex(0);
  const std::optional<std::vector<uint8_t>> bytes =
      editor_.Toolkit().Files().ReadAll(CatalogueFile());
  if (!bytes) return;  // no catalogue yet: only "Remove"
  for (const CatalogueEntry& entry : ReadCatalogue(*bytes).entries) {
    Items->AddItem(entry.text);
    Items->SetItemData(Items->NewIndex(), entry.packedSize);
  }
}

bool DatView::Form_QueryUnload() {
  toolkit::FileSystem& files = editor_.Toolkit().Files();
  const std::string path = CatalogueFile();
  // A catalogue on disk that cannot be read to its end is copied to Overlay.dat.bak before it is
  // replaced, so the entries after the fault are never lost; without that copy it is left alone.
  if (const auto old = files.ReadAll(path); old && !ReadCatalogue(*old).complete) {
    if (!WriteFileAtomically(files, path + ".bak", *old)) return true;
  }
  std::vector<CatalogueEntry> entries;
  for (int16_t i = 1; i < Items->ListCount(); ++i)
    entries.push_back(CatalogueEntry{Items->List(i), Items->ItemData(i)});
  // Written to a temporary file and renamed over the old one: a failed write leaves the previous
  // catalogue whole. The close goes ahead either way.
  WriteFileAtomically(files, path, WriteCatalogue(entries));
  return true;
}

}  // namespace korvane
