#include <gtest/gtest.h>

#include "overlay/DatView.h"
#include "tests/support/EditorFixture.h"

namespace korvane {
namespace {

using headless::DrawCall;
using testing_support::EditorTest;

// A scroll bar pushed back into range redraws the display from inside a drawing; the outer
// drawing must not draw every cell a second time on top (overlay numbers would print twice).
TEST_F(EditorTest, AScrollBarMovedIntoRangeDrawsEachCellOnce) {
  view().MapZoomFactor = 2;
  ShowMap(40, 10, 4000, 3000);  // 8 cells across at zoom 2: five pages
  view().OverlayData.Set(35, 0, 3);
  editor->datView().window->SetVisible(true);
  headless::H(*view().HScroll).SetValue(5);

  view().MapZoomFactor = 1;  // 16 cells across: three pages, so page 5 moves to page 3
  display().ClearLog();
  display().Refresh();

  EXPECT_EQ(view().HScroll->Value(), 3);
  EXPECT_EQ(view().ViewFirstCol, 32);
  // Columns 32 to 39 of all ten rows, each drawn once, and the one marker once.
  EXPECT_EQ(display().CallsOf(DrawCall::Kind::PaintPicture).size(), 80u);
  EXPECT_EQ(display().CallsOf(DrawCall::Kind::Print).size(), 1u);
}

}  // namespace
}  // namespace korvane
