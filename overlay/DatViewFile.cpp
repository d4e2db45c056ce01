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
  catalogueRead_ = CatalogueRead::None;
  if (!bytes) return;  // no catalogue yet: only "Remove"
  const CatalogueReading reading = ReadCatalogue(*bytes);
  catalogueRead_ = reading.complete ? CatalogueRead::Whole : CatalogueRead::Partial;
  for (const CatalogueEntry& entry : reading.entries) {
    Items->AddItem(entry.text);
    Items->SetItemData(Items->NewIndex(), entry.packedSize);
  }
}

bool DatView::Form_QueryUnload() {
  toolkit::FileSystem& files = editor_.Toolkit().Files();
  const std::string path = CatalogueFile();
  // A catalogue on disk that the window did not read whole when it opened (unreadable then, or
  // readable only in part), or that cannot be read to its end now, is copied to Overlay.dat.bak
  // before it is replaced, so entries the window never held are not lost; without that copy it is
  // left alone. Only a file that neither read could open is taken for absent.
  const auto old = files.ReadAll(path);
  if (catalogueRead_ != CatalogueRead::Whole || (old && !ReadCatalogue(*old).complete)) {
    if (old ? !WriteFileAtomically(files, path + ".bak", *old)
            : catalogueRead_ == CatalogueRead::Partial)
      return true;
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
