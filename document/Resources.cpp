// The Tools menu entries that edit the two players' resource values.

#include <string>

#include "model/Numbers.h"
#include "shell/Editor.h"
#include "shell/MapView.h"

namespace korvane {

namespace {

// Shows the current value in the prompt and stores a typed 16-bit number, widened with its sign.
// A cancelled box, a text that is not a number or one out of range changes nothing.
void EditResource(MapView& view, int32_t& value, const std::string& label) {
  if (view.Map.MapWidth <= 0) return;
  const auto typed =
      ConvertTypedNumber(view.editor().Toolkit().InputBox(label + std::to_string(value)));
  if (!typed) return;
  value = *typed;
  view.Map.MapChanged = 1;
}

}  // namespace

void MapView::EDHUMRES_Click() {
  EditResource(*this, Map.HumanResources, "Human Resources: ");
}

void MapView::EDCOMPRES_Click() {
  EditResource(*this, Map.ComputerResources, "Computer Resources: ");
}

}  // namespace korvane
