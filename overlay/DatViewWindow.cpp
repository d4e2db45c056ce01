#include <string>

#include "model/Numbers.h"
#include "model/Catalogue.h"
#include "overlay/DatView.h"

namespace korvane {

namespace {

// Object sizes are kept in seven bits each of the packed size.
constexpr int16_t kMinObjectSize = 1;
constexpr int16_t kMaxObjectSize = 127;
constexpr int32_t kPackedSizeFactor = 128;

// The typed size answer, or nullopt when it is not a number from 1 to 127.
std::optional<int16_t> AskObjectSize(toolkit::Toolkit& tk, const std::string& prompt) {
  const std::optional<int16_t> size = ConvertTypedNumber(tk.InputBox(prompt));
  if (!size || *size < kMinObjectSize || *size > kMaxObjectSize) return std::nullopt;
  return size;
}

}  // namespace

DatView::DatView(EditorWindows& editor) : editor_(editor) {
  using toolkit::Place;
  window =
      editor_.Toolkit().CreateWindow(toolkit::WindowKind::FixedTool, "Data Overlay", 3015, 2115);
  toolkit::Window& w = *window;
  Items = w.AddComboBox(Place{120, 120, 2775, 315});
  Items->AddItem("Remove");
  Items->SetItemData(0, 0);
  ID = w.AddLabel("ID Number:", Place{120, 600, 2775, 255});
  XSize = w.AddLabel("X-Size:", Place{120, 900, 2775, 255});
  YSize = w.AddLabel("Y-Size:", Place{120, 1200, 2775, 255});
  Remove = w.AddButton("Remove", Place{120, 1620, 1335, 375});
  Add = w.AddButton("Add", Place{1560, 1620, 1335, 375});
  Items->onClick = [this] { Items_Click(); };
  Remove->onClick = [this] { Remove_Click(); };
  Add->onClick = [this] { Add_Click(); };
}
DatView::~DatView() = default;

void DatView::Items_Click() {
  const int16_t position = Items->ListIndex();
  // With nothing selected there is no entry to describe: the labels show their bare captions.
  if (position < 0) {
    ID->SetCaption("ID Number:");
    XSize->SetCaption("X-Size:");
    YSize->SetCaption("Y-Size:");
    return;
  }
  const int32_t packed = Items->ItemData(position);
  ID->SetCaption("ID Number:   " + std::to_string(position));
  XSize->SetCaption("X-Size:   " + std::to_string(packed / kPackedSizeFactor));
  YSize->SetCaption("Y-Size:   " + std::to_string(packed % kPackedSizeFactor));
}

void DatView::Add_Click() {
  // Positions are 16-bit: a full list takes no more entries.
  if (Items->ListCount() > kMaxCatalogueEntries) return;
  toolkit::Toolkit& tk = editor_.Toolkit();
  std::string name = tk.InputBox("Enter the name of this object:");
  // A line break would split the entry's line in Overlay.dat and cut the catalogue short when it
  // is read back; the name keeps its place with blanks instead.
  for (char& c : name)
    if (c == '\r' || c == '\n') c = ' ';
  const std::optional<int16_t> x = AskObjectSize(tk, "Enter the X-Size of this object:");
  if (!x) return;
  const std::optional<int16_t> y = AskObjectSize(tk, "Enter the Y-Size of this object:");
  if (!y) return;
  const int16_t id = Items->ListCount();
  Items->AddItem(std::to_string(id) + ": " + name);
  Items->SetItemData(Items->NewIndex(), int32_t{*x} * kPackedSizeFactor + *y);
}

void DatView::Remove_Click() {
  const int16_t position = Items->ListIndex();
  if (position < 1) return;  // "Remove" itself, or nothing selected
  Items->RemoveItem(position);
  ID->SetCaption("ID Number:");
  XSize->SetCaption("X-Size:");
  YSize->SetCaption("Y-Size:");
  Items->SetListIndex(0);
}

}  // namespace korvane
