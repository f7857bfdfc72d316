// Truncated, oversized and corrupted landscape files of both formats: each is refused with a message naming
// the file, and the landscape, settings and textures stay exactly as they were.
#include <gtest/gtest.h>

#include <functional>

#include "engine/render/dl4_landscape_file.h"
#include "engine/render/landscape_open_save.h"
#include "engine/render/old_landscape_file.h"
#include "tests/files/landscape_file_fixture.h"

using namespace landtest;

namespace {
using Bytes = std::vector<uint8_t>;
using Damage = std::function<void(Bytes&)>;

struct Case {
  const char* what;
  Damage damage;
  const char* message;  // start of the first message
};

// Offset of the first packed row of a section and the length field of row k (k = 0 or 1).
size_t row_length_at(const Bytes& b, size_t section, int32_t k) {
  size_t at = section;
  for (int32_t i = 0; i < k; ++i) at += 2 + ((b[at] << 8) | b[at + 1]);
  return at;
}

void check_refused(const Case& c, const std::string& path, HeadlessHost& host, const Fingerprint& before) {
  SCOPED_TRACE(c.what);
  host.messages.clear();
  EXPECT_EQ(load_landscape(path.c_str()), 0);
  const std::string shown = first_message(host);
  EXPECT_EQ(shown.rfind(c.message, 0), 0u) << shown;
  if (std::string(c.message).rfind("Error", 0) == 0) {
    EXPECT_NE(shown.find(path), std::string::npos) << shown;
  }
  EXPECT_TRUE(fingerprint() == before);
}
}  // namespace

TEST_F(LandscapeFileTest, DamagedCurrentFormatFilesChangeNothing) {
  fill_grids(1);
  make_texture(45, 8, 8, 1, "tex.tga");
  const std::string good = file("good.d4s");
  ASSERT_EQ(save_dl4_file(good.c_str(), 1, 1, 1, 1, 1, 1, 1, 1), 1);
  const Bytes original = imgtest::read_bytes(good);
  const uint32_t elev = read32(original, 184), cover = read32(original, 188), clouds = read32(original, 376);
  const uint32_t path_at = read32(original, 200), textures = read32(original, 180);

  const Case cases[] = {
      {"header cut short", [](Bytes& b) { b.resize(1000); }, "Error reading file:"},
      {"cut inside the elevations", [elev](Bytes& b) { b.resize(elev + 40); }, "Error reading file:"},
      {"cut inside the path block", [path_at](Bytes& b) { b.resize(path_at + 100); }, "Error reading file:"},
      {"foreign magic", [](Bytes& b) { b[0] = 'X'; }, "Not a Dalvenor Landscape file."},
      {"columns beyond 8194", [](Bytes& b) { patch32(b, 136, 9000); }, "Landscape file too big!"},
      {"columns below 3", [](Bytes& b) { patch32(b, 136, 2); }, "Error reading file:"},
      {"negative rows", [](Bytes& b) { patch32(b, 140, static_cast<uint32_t>(-4)); }, "Error reading file:"},
      {"more columns than the rows hold", [](Bytes& b) { patch32(b, 136, 40); }, "Error reading file:"},
      {"elevation offset past the end", [](Bytes& b) { patch32(b, 184, static_cast<uint32_t>(b.size() + 5)); },
       "Error reading file:"},
      {"elevation offset inside the header", [](Bytes& b) { patch32(b, 184, 12); }, "Error reading file:"},
      {"row length beyond any row", [elev](Bytes& b) { b[elev] = 0xFF, b[elev + 1] = 0xFF; }, "Error reading file:"},
      {"packets overflowing the row",
       [elev](Bytes& b) {
         const size_t at = row_length_at(b, elev, 1);
         b[at + 2] = 0x81;  // a repeat of 128 at the start of the second row's packets
       },
       "Error reading file:"},
      {"terrain row cut", [cover](Bytes& b) { b[cover] = 0, b[cover + 1] = 3; }, "Error reading file:"},
      {"cloud row short", [clouds](Bytes& b) { b[clouds] = 0, b[clouds + 1] = 2, b[clouds + 2] = 0xFF; },
       "Error reading file:"},
      {"texture table past the end", [](Bytes& b) { patch32(b, 180, static_cast<uint32_t>(b.size() - 100)); },
       "Error reading file:"},
      {"path block past the end", [](Bytes& b) { patch32(b, 200, static_cast<uint32_t>(b.size() - 50)); },
       "Error reading file:"},
  };
  (void)textures;
  // The current landscape: other size, grids, colours and textures.
  ASSERT_EQ(set_landscape_size(20, 20), 1);
  fill_grids(77);
  color_table[3].red = 99;
  make_texture(50, 4, 4, 9, "other.tga");
  const Fingerprint before = fingerprint();
  for (const Case& c : cases) {
    Bytes bytes = original;
    c.damage(bytes);
    const std::string path = file("bad.d4s");
    imgtest::write_bytes(path, bytes);
    check_refused(c, path, *host_, before);
  }
}

TEST_F(LandscapeFileTest, DamagedOlderFormatFilesChangeNothing) {
  fill_grids(2);
  const std::string good = file("good.dem");
  ASSERT_EQ(write_old_dem(good.c_str(), 0, 0, grid_width, grid_height), 1);
  const Bytes original = imgtest::read_bytes(good);
  auto be32 = [](Bytes& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v >> 24), b[at + 1] = static_cast<uint8_t>(v >> 16);
    b[at + 2] = static_cast<uint8_t>(v >> 8), b[at + 3] = static_cast<uint8_t>(v);
  };
  const Case cases[] = {
      {"header cut short", [](Bytes& b) { b.resize(2000); }, "Error reading file:"},
      {"rows cut short", [](Bytes& b) { b.resize(b.size() - 10); }, "Error reading file:"},
      {"columns beyond 8194", [be32](Bytes& b) { be32(b, 136, 10000); }, "Landscape file too big!"},
      {"columns below 3", [be32](Bytes& b) { be32(b, 136, 1); }, "Error reading file:"},
      {"terrain map offset past the end", [be32](Bytes& b) { be32(b, 152, 0x7FFFFFF0); }, "Error reading file:"},
      {"palette section cut", [be32](Bytes& b) { be32(b, 160, static_cast<uint32_t>(b.size() - 10)); },
       "Error reading file:"},
      {"row length beyond any row", [](Bytes& b) { b[2048] = 0x90; }, "Error reading file:"},
  };
  ASSERT_EQ(set_landscape_size(20, 20), 1);
  fill_grids(78);
  const Fingerprint before = fingerprint();
  for (const Case& c : cases) {
    Bytes bytes = original;
    c.damage(bytes);
    const std::string path = file("bad.dem");
    imgtest::write_bytes(path, bytes);
    check_refused(c, path, *host_, before);
  }
}
