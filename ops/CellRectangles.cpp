#include "ops/CellRectangles.h"

namespace korvane {

void RectangleGrouper::Row(int32_t y, const std::vector<std::pair<int32_t, int32_t>>& runs) {
  std::vector<Open> next;
  next.reserve(runs.size());
  size_t above = 0;
  for (const auto& [x0, x1] : runs) {
    while (above < open_.size() && open_[above].x0 < x0) ++above;
    if (above < open_.size() && open_[above].x0 == x0 && open_[above].x1 == x1) {
      if (open_[above].listed >= 0) ++listed_[static_cast<size_t>(open_[above].listed)].height;
      next.push_back(open_[above++]);
      continue;
    }
    int64_t listed = -1;
    if (listed_.size() < kListedRectangles) {
      listed = static_cast<int64_t>(listed_.size());
      listed_.push_back(CellRect{x0, y, x1 - x0, 1});
    } else {
      ++more_;
    }
    next.push_back(Open{x0, x1, listed});
  }
  open_ = std::move(next);
}

std::string RectangleLines(const std::vector<CellRect>& listed, int64_t more) {
  const auto cell = [](int32_t x, int32_t y) {
    return std::to_string(x) + "," + std::to_string(y);
  };
  std::string t;
  for (const CellRect& r : listed)
    t += "  " + cell(r.left, r.top) + " .. " + cell(r.left + r.width - 1, r.top + r.height - 1) +
         " (" + std::to_string(r.width) + " x " + std::to_string(r.height) + ")\n";
  if (more > 0) t += "  and " + std::to_string(more) + " more\n";
  return t;
}

void WriteCellRect(JsonWriter& out, const CellRect& r) {
  out.BeginObject();
  out.Key("x").Int(r.left).Key("y").Int(r.top);
  out.Key("width").Int(r.width).Key("height").Int(r.height);
  out.EndObject();
}

}  // namespace korvane
