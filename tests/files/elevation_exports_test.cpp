// The elevation exports: areas and subsampling, the ASCII Z and "DSAA" layouts, DXF splitting and
// coordinates, grid_step kept, and a failed or stopped export keeping the previous file.
#include "engine/files/elevation_exports.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/ui/status.h"
#include "tests/files/landscape_file_fixture.h"

using namespace landtest;

namespace {

std::vector<std::string> lines_of(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}
std::vector<int32_t> numbers_of(const std::string& line) {
  std::istringstream in(line);
  std::vector<int32_t> v;
  for (int32_t n; in >> n;) v.push_back(n);
  return v;
}
std::string text_of(const std::string& path) {
  const auto b = imgtest::read_bytes(path);
  return std::string(b.begin(), b.end());
}

// A DXF file as pairs of group code and value, and its polyface objects.
struct DxfObject {
  std::string name;
  int32_t header_vertices = 0, header_faces = 0, vertices = 0, faces = 0;
  double first_x = 0, first_y = 0, first_z = 0;
  int32_t min_x = 1 << 30, max_x = -1, min_y = 1 << 30, max_y = -1;  // spans of vertex indexes (x / 30, y / 30)
};
std::vector<DxfObject> read_dxf(const std::string& path, std::string* ending) {
  const auto lines = lines_of(path);
  std::vector<DxfObject> objects;
  for (size_t i = 0; i + 1 < lines.size(); i += 2) {
    const std::string& code = lines[i];
    const std::string& value = lines[i + 1];
    if (code == "0" && value == "POLYLINE") {
      objects.emplace_back();
      objects.back().name = lines[i + 3];
      objects.back().header_vertices = std::stoi(lines[i + 9]);
      objects.back().header_faces = std::stoi(lines[i + 11]);
    } else if (code == "0" && value == "VERTEX") {
      DxfObject& o = objects.back();
      const int32_t flag = std::stoi(lines[i + 11]);
      if (flag == 128) {
        ++o.faces;
      } else {
        const double x = std::stod(lines[i + 5]), y = std::stod(lines[i + 7]), z = std::stod(lines[i + 9]);
        if (o.vertices++ == 0) o.first_x = x, o.first_y = y, o.first_z = z;
        o.min_x = std::min(o.min_x, static_cast<int32_t>(x / 30)), o.max_x = std::max(o.max_x, static_cast<int32_t>(x / 30));
        o.min_y = std::min(o.min_y, static_cast<int32_t>(y / 30)), o.max_y = std::max(o.max_y, static_cast<int32_t>(y / 30));
      }
    }
  }
  if (ending && lines.size() >= 4) *ending = lines[lines.size() - 4] + lines[lines.size() - 3] + lines[lines.size() - 2] + lines.back();
  return objects;
}

int16_t sample(int32_t x, int32_t y) { return static_cast<int16_t>((x * 13 + y * 5) % 997 - 100); }

class ExportTest : public LandscapeFileTest {
 protected:
  void SetUp() override {
    LandscapeFileTest::SetUp();
    ASSERT_EQ(set_landscape_size(258, 258), 1);
    for (int32_t y = 0; y < grid_height; ++y)
      for (int32_t x = 0; x < grid_width; ++x) elevation_row(y)[x] = sample(x, y);
  }
};

}  // namespace

TEST_F(ExportTest, AreaFollowsSubsampleAndMarkedRegion) {
  struct Case {
    int32_t bbox, bx0, by0, bx1, by1, s;
    ExportArea want;
  } cases[] = {
      {0, 0, 0, 0, 0, 1, {0, 0, 256, 256}},
      {0, 0, 0, 0, 0, 3, {0, 0, 255, 255}},
      {1, 10, 10, 50, 70, 4, {8, 8, 52, 72}},
      {1, 50, 70, 10, 10, 4, {8, 8, 52, 72}},      // corners in any order
      {1, 250, 0, 256, 256, 3, {249, 0, 255, 255}},  // rounding up would leave the landscape
      {1, -40, -5, 9000, 300, 1, {0, 0, 256, 256}},  // clamped to the landscape
      {1, 3, 3, 200, 200, 0x7FFFFFFF, {0, 0, 0, 0}},  // one sample, no overflow
      {0, 0, 0, 0, 0, -5, {0, 0, 256, 256}},          // below 1 counts as 1
  };
  for (const Case& c : cases) {
    render_settings.bbox_enabled = c.bbox;
    render_settings.bbox_x0 = c.bx0, render_settings.bbox_y0 = c.by0;
    render_settings.bbox_x1 = c.bx1, render_settings.bbox_y1 = c.by1;
    const ExportArea a = export_area(c.s);
    EXPECT_EQ(std::make_tuple(a.x0, a.y0, a.x1, a.y1), std::make_tuple(c.want.x0, c.want.y0, c.want.x1, c.want.y1))
        << c.bx0 << " " << c.s;
  }
}

TEST_F(ExportTest, AsciiZHasOneLinePerSampleRow) {
  for (int32_t s : {1, 3}) {
    render_settings.grid_step = s;
    const std::string path = file("z.txt");
    ASSERT_EQ(export_ascii_z(path.c_str()), 1);
    const auto lines = lines_of(path);
    const size_t n = s == 1 ? 257 : 86;
    ASSERT_EQ(lines.size(), n);
    const auto row = numbers_of(lines[2]);
    ASSERT_EQ(row.size(), n);
    EXPECT_EQ(row[1], sample(s, 2 * s));
    EXPECT_EQ(lines[0].substr(0, 5), std::to_string(sample(0, 0)) + " ");
  }
  EXPECT_EQ(text_of(file("z.txt")).back(), '\n');
  render_settings.grid_step = 0x7FFFFFFF;
  ASSERT_EQ(export_ascii_z(file("one.txt").c_str()), 1);
  EXPECT_EQ(text_of(file("one.txt")), std::to_string(sample(0, 0)) + " \n");
}

TEST_F(ExportTest, AsciiGridHeaderAndValueLines) {
  const std::string path = file("g.grd");
  ASSERT_EQ(export_ascii_grid(path.c_str()), 1);
  const auto lines = lines_of(path);
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0], "DSAA");
  EXPECT_EQ(lines[1], "257 257");
  EXPECT_EQ(lines[2], "0 7680");
  EXPECT_EQ(lines[3], "0 7680");
  EXPECT_EQ(lines[4], "-100 896");
  // 257 values: 28 lines of 9, one of 5, then an empty line; per sample row.
  ASSERT_EQ(lines.size(), 5u + 257u * 30u);
  EXPECT_EQ(numbers_of(lines[5]).size(), 9u);
  EXPECT_EQ(numbers_of(lines[5 + 28]).size(), 5u);
  EXPECT_EQ(lines[5 + 29], "");
  EXPECT_EQ(numbers_of(lines[5 + 30])[0], sample(0, 1));
}

TEST_F(ExportTest, AsciiGridOfARegionGivesTheRegionsExtentAndRange) {
  landscape_view.origin_x = 1000, landscape_view.origin_y = -600;
  render_settings.bbox_enabled = 1;
  render_settings.bbox_x0 = 10, render_settings.bbox_y0 = 10, render_settings.bbox_x1 = 50, render_settings.bbox_y1 = 70;
  render_settings.grid_step = 4;
  const std::string path = file("r.grd");
  ASSERT_EQ(export_ascii_grid(path.c_str()), 1);
  const auto lines = lines_of(path);
  EXPECT_EQ(lines[1], "12 17");
  EXPECT_EQ(lines[2], "1240 2560");  // columns 8 and 52
  EXPECT_EQ(lines[3], "-360 1560");  // rows 8 and 72
  int32_t lo = 99999, hi = -99999;
  for (int32_t y = 8; y <= 72; y += 4)
    for (int32_t x = 8; x <= 52; x += 4) lo = std::min<int32_t>(lo, sample(x, y)), hi = std::max<int32_t>(hi, sample(x, y));
  EXPECT_EQ(numbers_of(lines[4]), (std::vector<int32_t>{lo, hi}));
  // 12 values: a line of 9, a line of 3, an empty line.
  EXPECT_EQ(numbers_of(lines[5])[0], sample(8, 8));
  EXPECT_EQ(numbers_of(lines[6]).size(), 3u);
  EXPECT_EQ(lines[7], "");
}

TEST_F(ExportTest, DxfSplitsAtThePolygonLimitAndKeepsCountsWithin16Bits) {
  // Pieces below the limit are written whole; a piece of exactly the limit is still split.
  std::string path = file("a.dxf");
  for (const auto& [limit, count] : {std::pair{801, 2u}, std::pair{800, 4u}}) {
    elevation_export_settings.dxf_max_polygons = limit;
    ASSERT_EQ(export_dxf(path.c_str(), 0, 40, 0, 20, 0), 1);
    EXPECT_EQ(read_dxf(path, nullptr).size(), count) << limit;
  }
  // With seams the halves overlap by one sample each way.
  elevation_export_settings.dxf_max_polygons = 1600;
  ASSERT_EQ(export_dxf(path.c_str(), 0, 40, 0, 20, 1), 1);
  std::string ending;
  auto objects = read_dxf(path, &ending);
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(ending, "0ENDSEC0EOF");
  EXPECT_EQ(objects[0].name, "DL_00");
  EXPECT_EQ(objects[1].name, "DL_01");
  EXPECT_EQ(std::make_pair(objects[0].min_x, objects[0].max_x), std::make_pair(0, 21));
  EXPECT_EQ(std::make_pair(objects[1].min_x, objects[1].max_x), std::make_pair(19, 40));
  for (const auto& o : objects) {
    EXPECT_EQ(o.vertices, o.header_vertices);
    EXPECT_EQ(o.faces, o.header_faces);
    EXPECT_EQ(o.header_faces, 2 * 21 * 20);
  }
  // The whole 256 by 256 landscape at the default limit: halves at x = 128 and quarters at y = 128 (65,536 and
  // 32,768 faces), then eighths, since 32,768 faces do not fit the 16-bit count.
  elevation_export_settings.dxf_max_polygons = 65536;
  ASSERT_EQ(export_dxf(path.c_str(), 0, 256, 0, 256, 0), 1);
  objects = read_dxf(path, nullptr);
  ASSERT_EQ(objects.size(), 8u);
  EXPECT_EQ(objects[7].name, "DL_07");
  int64_t faces = 0;
  for (const auto& o : objects) {
    EXPECT_LE(o.header_faces, kDxfMaxCount);
    EXPECT_LE(o.header_vertices, kDxfMaxCount);
    EXPECT_EQ(o.faces, 2 * 64 * 128);
    faces += o.faces;
  }
  EXPECT_EQ(faces, 2 * 256 * 256);
  EXPECT_EQ(std::make_tuple(objects[0].min_x, objects[0].max_x, objects[0].min_y, objects[0].max_y),
            std::make_tuple(0, 64, 0, 128));
  EXPECT_EQ(std::make_tuple(objects[2].min_x, objects[2].max_x, objects[2].min_y, objects[2].max_y),
            std::make_tuple(0, 64, 128, 256));
}

TEST_F(ExportTest, DxfSeamsAtSubsampleTwoStartOnTheOddColumn) {
  elevation_export_settings.dxf_max_polygons = 50;
  render_settings.grid_step = 2;
  const std::string path = file("s.dxf");
  ASSERT_EQ(export_dxf(path.c_str(), 0, 20, 0, 8, 1), 1);
  const auto objects = read_dxf(path, nullptr);
  ASSERT_GE(objects.size(), 2u);
  EXPECT_EQ(objects[1].min_x, 9);
  EXPECT_EQ(objects[1].first_x, 9 * 30.0);
}

TEST_F(ExportTest, DxfCoordinatesOfAMapProjectionSurviveToTheMetre) {
  elevation_export_settings.dxf_offset_x = 4512345.0;
  elevation_export_settings.dxf_offset_y = 5678901.0;
  elevation_export_settings.dxf_offset_z = 250.0;
  const std::string path = file("u.dxf");
  ASSERT_EQ(export_dxf(path.c_str(), 7, 9, 3, 5, 1), 1);
  const auto objects = read_dxf(path, nullptr);
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0].first_x, 4512345.0 + 7 * 30.0);
  EXPECT_EQ(objects[0].first_y, 5678901.0 + 3 * 30.0);
  EXPECT_DOUBLE_EQ(objects[0].first_z, sample(7, 3) + 250.0 - 0.1);  // a border vertex, seams on
  EXPECT_NE(text_of(path).find("\n4512555\n"), std::string::npos);  // no exponent form
}

TEST_F(ExportTest, TinyPolygonLimitStillEnds) {
  elevation_export_settings.dxf_max_polygons = 1;
  const std::string path = file("t.dxf");
  for (int32_t overlap : {0, 1}) {
    ASSERT_EQ(export_dxf(path.c_str(), 0, 6, 0, 5, overlap), 1) << overlap;
    EXPECT_GE(read_dxf(path, nullptr).size(), 4u);
  }
}

TEST_F(ExportTest, StoppedOrFailedExportsKeepThePreviousFile) {
  const std::string path = file("keep.txt");
  imgtest::write_bytes(path, {'o', 'l', 'd'});
  render_abort = 1;
  EXPECT_EQ(export_ascii_z(path.c_str()), -1);
  EXPECT_EQ(export_ascii_grid(path.c_str()), -1);
  EXPECT_EQ(export_dxf(path.c_str(), 0, 256, 0, 256, 0), -1);
  render_abort = 0;
  EXPECT_EQ(text_of(path), "old");
  EXPECT_EQ(dir_.entries(), std::vector<std::string>{"keep.txt"});  // no temporary left
  // A target that cannot be written: a folder of that name.
  const std::string folder = file("taken");
  imgtest::write_bytes(path, {'x'});
  ASSERT_EQ(std::system(("mkdir -p '" + folder + "'").c_str()), 0);
  EXPECT_EQ(export_ascii_z(folder.c_str()), 0);
  EXPECT_EQ(export_dxf(folder.c_str(), 0, 4, 0, 4, 0), 0);
  EXPECT_FALSE(host_->messages.empty());
}

TEST_F(ExportTest, DialogsPutGridStepBackOnEveryPath) {
  render_settings.grid_step = 2;
  // Cancelled at the file choice.
  EXPECT_EQ(export_ascii_z_dialog(), -1);
  EXPECT_EQ(export_dxf_dialog(), -1);
  EXPECT_EQ(render_settings.grid_step, 2);
  // Written at subsample 4.
  host_->file_choices = {file("d.txt")};
  host_->value_answers = {{1, 4}};
  EXPECT_EQ(export_ascii_z_dialog(), 1);
  EXPECT_EQ(render_settings.grid_step, 2);
  EXPECT_EQ(lines_of(file("d.txt")).size(), 65u);
  EXPECT_EQ(elevation_export_settings.ascii_z_subsample, 4);
  // Stopped while writing.
  host_->file_choices = {file("d.grd")};
  host_->value_answers = {{1, 0}};  // raised to 1
  render_abort = 1;
  EXPECT_EQ(export_ascii_grid_dialog(), -1);
  render_abort = 0;
  EXPECT_EQ(render_settings.grid_step, 2);
  EXPECT_EQ(elevation_export_settings.grd_subsample, 1);
  // DXF: no seams, map-projection offsets, a limit and a subsample rate.
  landscape_view.origin_x = 500000;
  host_->file_choices = {file("m.dxf")};
  host_->yes_no_answers = {0, 0};
  host_->value_answers = {{1, 5000}, {1, 8}};
  EXPECT_EQ(export_dxf_dialog(), 1);
  EXPECT_EQ(render_settings.grid_step, 2);
  const auto objects = read_dxf(file("m.dxf"), nullptr);
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(objects[0].header_vertices, 33 * 33);
  EXPECT_EQ(objects[0].first_x, 500000.0);
}
