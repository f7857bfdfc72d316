// Span polygon fill against hand-computed rasters, and clipped outlines.
#include "engine/panels/span_fill.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "engine/ui/panel_record.h"
#include "engine/raster/polygon.h"
#include "tests/ui/ui_test_support.h"

namespace {
PolygonRecord polygon(std::initializer_list<std::pair<float, float>> points, uint16_t colour = 9) {
  PolygonRecord p{};
  for (const auto& [x, y] : points) {
    p.vertices[p.count].x = x;
    p.vertices[p.count].y = y;
    p.vertices[p.count].r = colour;
    ++p.count;
  }
  return p;
}

// An 8 by 6 raster (or the given size) shown as rows of "." and "#".
struct Raster {
  int32_t w, h;
  std::vector<std::vector<uint8_t>> bytes;
  std::vector<void*> rows;
  Raster(int32_t width, int32_t height) : w(width), h(height), bytes(height, std::vector<uint8_t>(width, 0)) {
    for (auto& r : bytes) rows.push_back(r.data());
  }
  std::vector<std::string> picture() const {
    std::vector<std::string> out;
    for (const auto& r : bytes) {
      std::string s;
      for (uint8_t b : r) s += b ? '#' : '.';
      out.push_back(s);
    }
    return out;
  }
};

PanelRecord box(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  PanelRecord p{};
  p.x0 = x0;
  p.y0 = y0;
  p.x1 = x1;
  p.y1 = y1;
  return p;
}
}  // namespace

TEST(SpanFill, FillsHandComputedRasters) {
  struct Case {
    const char* what;
    PolygonRecord poly;
    PanelRecord clip;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"triangle: top row to the row before the bottom", polygon({{0, 0}, {4, 4}, {0, 4}, {0, 0}}), box(0, 0, 7, 5),
       {"#.......", "##......", "###.....", "####....", "........", "........"}},
      {"all on one row", polygon({{0, 2}, {6, 2}, {3, 2}, {0, 2}}), box(0, 0, 7, 5),
       {"........", "........", "........", "........", "........", "........"}},
      {"partly above the raster", polygon({{2, -3}, {5, -3}, {5, 2}, {2, 2}, {2, -3}}), box(0, 0, 7, 5),
       {"..####..", "..####..", "........", "........", "........", "........"}},
      {"crossing the right edge is cut there", polygon({{5, 1}, {20, 1}, {20, 3}, {5, 3}, {5, 1}}), box(0, 0, 100, 5),
       {"........", ".....###", ".....###", "........", "........", "........"}},
      {"wholly right of the raster", polygon({{10, 1}, {20, 1}, {20, 3}, {10, 3}, {10, 1}}), box(0, 0, 100, 5),
       {"........", "........", "........", "........", "........", "........"}},
      {"clipped to the box", polygon({{0, 0}, {7, 0}, {7, 5}, {0, 5}, {0, 0}}), box(2, 0, 4, 5),
       {"..###...", "..###...", "..###...", "..###...", "..###...", "........"}},
      {"coordinates far beyond any raster", polygon({{-3e9f, 1}, {3e9f, 1}, {3e9f, 2}, {-3e9f, 2}, {-3e9f, 1}}),
       box(-100, -100, 100, 100), {"........", "########", "........", "........", "........", "........"}},
  };
  for (const Case& c : cases) {
    Raster r(8, 6);
    scan_fill_polygon(nullptr, &c.poly, &c.clip, r.rows.data(), r.w, r.h);
    EXPECT_EQ(r.picture(), c.expected) << c.what;
  }
}

TEST(SpanFill, RowsOutsideTheTablesAreIgnoredAndShortListsDoNothing) {
  Raster r(4, 4);
  const PanelRecord clip = box(0, 0, 3, 3);
  const PolygonRecord huge = polygon({{0, -20000}, {3, -20000}, {3, 20000}, {0, 20000}, {0, -20000}});
  scan_fill_polygon(nullptr, &huge, &clip, r.rows.data(), r.w, r.h);
  EXPECT_EQ(r.picture(), (std::vector<std::string>{"####", "####", "####", "####"}));
  Raster empty(4, 4);
  const PolygonRecord line = polygon({{0, 0}, {3, 3}, {0, 0}});
  scan_fill_polygon(nullptr, &line, &clip, empty.rows.data(), 4, 4);
  EXPECT_EQ(empty.picture(), (std::vector<std::string>{"....", "....", "....", "...."}));
  PolygonRecord bad = huge;
  bad.count = 1000;  // a count beyond the record is cut to its capacity
  scan_fill_polygon(nullptr, &bad, &clip, empty.rows.data(), 4, 4);
}

TEST(SpanFill, WindowModeAndClippedOutline) {
  ScopedHeadlessHost h;
  ui_test::fresh_screen();
  Canvas c;
  c.resize(10, 8);
  acquire_dc(&c);
  const PanelRecord clip = box(0, 0, 9, 7);
  const PolygonRecord square = polygon({{1, 1}, {3, 1}, {3, 3}, {1, 3}, {1, 1}}, 5);
  scan_fill_polygon(nullptr, &square, &clip, nullptr, 0, 0);
  int filled = 0;
  for (uint8_t p : c.pixels) filled += p == 5;
  EXPECT_EQ(filled, 3 * 2);
  std::fill(c.pixels.begin(), c.pixels.end(), 0);
  // The first segment lies wholly outside the shrunk box; the second is cut to it; the third is inside.
  const PolygonRecord outline = polygon({{-5, -5}, {-1, -1}, {2, 2}, {20, 2}, {8, 6}}, 6);
  draw_clipped_polyline(nullptr, &outline, &clip);
  EXPECT_EQ(c.pixels[2 * 10 + 8], 6);   // cut at x = 8
  EXPECT_EQ(c.pixels[2 * 10 + 9], 0);   // never the box's own edge
  EXPECT_EQ(c.pixels[0], 0);
  EXPECT_EQ(c.pixels[6 * 10 + 8], 6);   // the last segment ends inside
}
