// Our elevation files read by the tools people use for terrain: GDAL reads the "DSAA" grid and turns it back
// into raw rows for our raw import; ezdxf reads the DXF polyface meshes. Skipped when a tool is missing.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/files/elevation_exports.h"
#include "engine/files/raw_elevations.h"
#include "tests/files/landscape_file_fixture.h"

using namespace landtest;

namespace {

int16_t sample(int32_t x, int32_t y) { return static_cast<int16_t>((x * 37 + y * y * 3) % 2000 - 300); }

// A python that has ezdxf, or empty.
std::string python_with_ezdxf() {
  for (const char* p : {"/usr/bin/python3", "python3"})
    if (imgtest::run(std::string(p) + " -c 'import ezdxf'") == 0) return p;
  return "";
}

class InteropTest : public LandscapeFileTest {
 protected:
  void SetUp() override {
    LandscapeFileTest::SetUp();
    ASSERT_EQ(set_landscape_size(66, 50), 1);  // 64 by 48 cells
    for (int32_t y = 0; y < grid_height; ++y)
      for (int32_t x = 0; x < grid_width; ++x) elevation_row(y)[x] = sample(x, y);
  }
};

}  // namespace

TEST_F(InteropTest, GdalReadsTheAsciiGridAndItsRawRowsComeBackThroughTheRawImport) {
  if (imgtest::run("gdalinfo --version") != 0) GTEST_SKIP() << "gdalinfo is not installed";
  landscape_view.origin_x = 1000, landscape_view.origin_y = 2000;
  const std::string grd = file("g.grd");
  ASSERT_EQ(export_ascii_grid(grd.c_str()), 1);
  const std::string info = imgtest::run_output("gdalinfo -mm '" + grd + "'");
  EXPECT_NE(info.find("Driver: GSAG/"), std::string::npos) << info;
  EXPECT_NE(info.find("Size is 65, 49"), std::string::npos) << info;
  // Cell centres at 1000 .. 2920 and 2000 .. 3440: the corners lie half a cell further out.
  EXPECT_NE(info.find("Origin = (985.000000000000000,3455.000000000000000)"), std::string::npos) << info;
  EXPECT_NE(info.find("Pixel Size = (30.000000000000000,-30.000000000000000)"), std::string::npos) << info;
  int32_t lo = 99999, hi = -99999;
  for (int32_t y = 0; y <= 48; ++y)
    for (int32_t x = 0; x <= 64; ++x) lo = std::min<int32_t>(lo, sample(x, y)), hi = std::max<int32_t>(hi, sample(x, y));
  std::ostringstream mm;
  mm << "Computed Min/Max=" << lo << ".000," << hi << ".000";
  EXPECT_NE(info.find(mm.str()), std::string::npos) << info;

  // Back to raw 16-bit rows, north first as GDAL keeps rasters: grid row r receives landscape row 48 - r.
  const std::string raw = file("g.raw");
  ASSERT_EQ(imgtest::run("gdal_translate -of ENVI -ot Int16 '" + grd + "' '" + raw + "'"), 0);
  set_landscape_size(66, 50);
  ASSERT_EQ(load_binary_raw(raw.c_str(), 65, 49, 0), 1);
  for (int32_t y = 0; y <= 48; ++y)
    for (int32_t x = 0; x <= 64; ++x) ASSERT_EQ(elevation_row(y)[x], sample(x, 48 - y)) << x << "," << y;
}

TEST_F(InteropTest, EzdxfReadsThePolyfaceMeshes) {
  const std::string python = python_with_ezdxf();
  if (python.empty()) GTEST_SKIP() << "ezdxf is not installed";
  const std::string script = file("check.py");
  const std::string code =
      "import sys, ezdxf\n"
      "doc = ezdxf.readfile(sys.argv[1])\n"
      "meshes = [e for e in doc.modelspace() if e.dxftype() == 'POLYLINE' and e.is_poly_face_mesh]\n"
      "print(len(meshes))\n"
      "for e in meshes:\n"
      "    vs = [v for v in e.vertices if v.is_poly_face_mesh_vertex]\n"
      "    fs = [v for v in e.vertices if v.is_face_record]\n"
      "    l = vs[0].dxf.location\n"
      "    print(e.dxf.layer, len(vs), len(fs), '%.3f %.3f %.3f' % (l.x, l.y, l.z))\n";
  imgtest::write_bytes(script, std::vector<uint8_t>(code.begin(), code.end()));
  elevation_export_settings.dxf_max_polygons = 4000;
  elevation_export_settings.dxf_offset_x = 4512000.0;
  elevation_export_settings.dxf_offset_y = 6300000.0;
  const std::string dxf = file("m.dxf");
  ASSERT_EQ(export_dxf(dxf.c_str(), 0, 64, 0, 48, 0), 1);
  // 64 by 48 cells (6144 faces) split at x = 32 into two pieces of 3072 faces.
  const std::string out = imgtest::run_output(python + " '" + script + "' '" + dxf + "'");
  std::ostringstream want;
  want << "2\n"
       << "DL_00 " << 33 * 49 << " " << 2 * 32 * 48 << " 4512000.000 6300000.000 " << sample(0, 0) << ".000\n"
       << "DL_01 " << 33 * 49 << " " << 2 * 32 * 48 << " 4512960.000 6300000.000 " << sample(32, 0) << ".000\n";
  EXPECT_EQ(out, want.str());
}
