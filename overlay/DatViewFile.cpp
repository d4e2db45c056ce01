#include <optional>
#include <vector>

#include "formats/AtomicFile.h"
#include "model/Catalogue.h"
#include "overlay/CatalogueHome.h"
#include "overlay/CatalogueMessages.h"
#include "overlay/DatView.h"

namespace korvane {

void DatView::Form_Load() {
  Items->SetListIndex(0);
  toolkit::FileSystem& files = editor_.Toolkit().Files();
  home_ = FindCatalogueHome(editor_.Toolkit());
  toolkit::FileError error;
  std::optional<std::vector<uint8_t>> bytes =
      home_.file.empty() ? std::nullopt : files.ReadAll(home_.file, error);
  // One that exists but cannot be read is remembered, so that closing does not replace it.
  catalogueRead_ = bytes || error.notFound || home_.file.empty() ? CatalogueRead::None
                                                                 : CatalogueRead::Unreadable;
  // Until the user has a catalogue of their own, the installed one fills the window. The user's
  // file is still absent then, so the close writes it as a new one.
  const bool own = bytes.has_value();
  if (!own && catalogueRead_ == CatalogueRead::None && !home_.installedDefault.empty())
    bytes = files.ReadAll(home_.installedDefault);
  if (!bytes) return;  // no catalogue yet: only "Remove"
  // Only the entries the count promises are shown; the close keeps a copy of a file with more.
  const CatalogueReading reading = ReadCatalogue(*bytes);
  if (own) catalogueRead_ = reading.complete ? CatalogueRead::Whole : CatalogueRead::Partial;
  for (const CatalogueEntry& entry : reading.entries) {
    Items->AddItem(entry.text);
    Items->SetItemData(Items->NewIndex(), entry.packedSize);
  }
}

std::vector<CatalogueEntry> DatView::Entries() const {
  std::vector<CatalogueEntry> entries;
  for (int16_t i = 1; i < Items->ListCount(); ++i)
    entries.push_back(CatalogueEntry{Items->List(i), Items->ItemData(i)});
  return entries;
}

bool DatView::Form_QueryUnload() {
  toolkit::Toolkit& tk = editor_.Toolkit();
  toolkit::FileSystem& files = tk.Files();
  const std::string& path = home_.file;
  if (path.empty()) {
    tk.ReportFailure(CatalogueWithoutHomeMessage());
    return true;
  }
  // The user's data folder is made on the first write there; if that fails, so does the write.
  if (!home_.folder.empty()) files.CreateFolders(home_.folder);
  // A catalogue on disk that cannot be read now is never replaced: its entries would be lost.
  toolkit::FileError error;
  const auto old = files.ReadAll(path, error);
  if (!old && !error.notFound) {
    tk.ReportFailure(CatalogueUnreadableMessage(path, error.reason));
    return true;
  }
  // One that the window did not read whole when it opened (unreadable then, or readable only in
  // part), or that cannot be read whole now, is copied to Overlay.dat.bak before it is replaced,
  // so entries the window never held are not lost; without that copy it is left alone. One that
  // is gone by now holds nothing to lose: the window's entries are written.
  const std::string backup = path + ".bak";
  bool backedUp = false;
  if (catalogueRead_ != CatalogueRead::Whole || (old && !ReadCatalogue(*old).complete)) {
    if (old && !WriteFileAtomically(files, backup, *old, error)) {
      tk.ReportFailure(CatalogueNotBackedUpMessage(path, error.reason));
      return true;
    }
    backedUp = old.has_value();
  }
  const std::vector<CatalogueEntry> entries = Entries();
  // Written to a temporary file and renamed over the old one: a failed write leaves the previous
  // catalogue whole, and says so. The close goes ahead either way, with one message at most.
  if (!WriteFileAtomically(files, path, WriteCatalogue(entries), error))
    tk.ReportFailure(CatalogueNotSavedMessage(path, error.reason));
  else if (backedUp)
    tk.ReportFailure(CatalogueBackedUpMessage(path, backup));
  return true;
}

}  // namespace korvane
