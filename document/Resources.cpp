// The Tools menu entries that edit the two players' resource values.

#include <string>

#include "document/FileCommands.h"
#include "model/Numbers.h"

namespace korvane::document {

namespace {

// Shows the current value in the prompt and stores a typed 16-bit number, widened with its sign.
// A cancelled box, a text that is not a number or one out of range changes nothing.
void EditResource(EditorWindows& editor, int32_t& value, const std::string& label) {
  MapDocument& map = editor.Main().Map;
  if (map.MapWidth <= 0) return;
  const auto typed = ConvertTypedNumber(editor.Toolkit().InputBox(label + std::to_string(value)));
  if (!typed) return;
  value = *typed;
  map.MapChanged = 1;
}

}  // namespace

void EDHUMRES_Click(EditorWindows& editor) {
  EditResource(editor, editor.Main().Map.HumanResources, "Human Resources: ");
}

void EDCOMPRES_Click(EditorWindows& editor) {
  EditResource(editor, editor.Main().Map.ComputerResources, "Computer Resources: ");
}

}  // namespace korvane::document
