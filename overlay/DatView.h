#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Catalogue.h"
#include "overlay/CatalogueHome.h"
#include "state/EditorWindows.h"
#include "toolkit/Window.h"

namespace korvane {

// The "Data Overlay" catalogue window: the object types that overlay cells refer to by position.
class DatView {
 public:
  explicit DatView(EditorWindows& editor);
  ~DatView();

  std::unique_ptr<toolkit::Window> window;
  toolkit::ComboBox* Items = nullptr;
  toolkit::Label* ID = nullptr;
  toolkit::Label* XSize = nullptr;
  toolkit::Label* YSize = nullptr;
  toolkit::Button* Remove = nullptr;
  toolkit::Button* Add = nullptr;

  void Form_Load();
  // The entries the list holds, after "Remove".
  std::vector<CatalogueEntry> Entries() const;
  // Writes Overlay.dat, or says why it could not; never refuses the close.
  bool Form_QueryUnload();
  void Items_Click();
  void Add_Click();
  void Remove_Click();

 private:
  EditorWindows& editor_;
  // Where Form_Load found the catalogue; the close writes it back to the same place.
  CatalogueHome home_;
  // How Form_Load found Overlay.dat: absent, there but unreadable, read in part, or read whole.
  enum class CatalogueRead { None, Unreadable, Partial, Whole };
  CatalogueRead catalogueRead_ = CatalogueRead::None;
};

}  // namespace korvane
