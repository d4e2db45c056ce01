#include <gtest/gtest.h>

#include "shell/Editor.h"
#include "shell/MapView.h"
#include "tests/support/HeadlessToolkit.h"

namespace korvane {
namespace {

TEST(Startup, CreatesMainWindow) {
  headless::HeadlessToolkit tk;
  Editor editor(tk);
  editor.Start();
  EXPECT_EQ(editor.mapView().window->Caption(), "Korvane");
}

}  // namespace
}  // namespace korvane
