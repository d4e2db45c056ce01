#include <gtest/gtest.h>

#include "document/TileLayer.h"

namespace korvane {
namespace {

// The undo copy must be the tiles as they were at the snapshot, however often a cell changed
// since, both while changes are journalled and after the layer switched to a full copy.
TEST(TileLayerTest, UndoRestoresTheSnapshotAfterRepeatedChanges) {
  for (const int changed : {1, 3, 40}) {  // 40 of 64 cells is past the switch to a full copy
    SCOPED_TRACE(changed);
    TileLayer layer(*Grid16::TryCreate(8, 8));
    layer.Set(0, 0, 5);
    layer.TakeUndoSnapshot();
    const Grid16 snapshot = layer.Tiles();
    for (int i = 0; i < changed; ++i) {
      layer.Set(i % 8, i / 8, 7);
      layer.Set(i % 8, i / 8, 9);  // the same cell again
    }
    EXPECT_EQ(layer.UndoTiles(), snapshot);
    layer.Undo();
    EXPECT_EQ(layer.Tiles(), snapshot);
    layer.Set(1, 1, 3);
    layer.Undo();  // a second undo gives the same map
    EXPECT_EQ(layer.Tiles(), snapshot);
  }
}

}  // namespace
}  // namespace korvane
