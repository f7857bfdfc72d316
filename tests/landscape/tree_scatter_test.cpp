// Tree placement: densities, kinds by class, the slope rule, water, hand-placed trees, the lattice and the
// grid's edges.
#include "engine/landscape/tree_scatter.h"

#include "tests/scene/scene_fixture.h"

namespace {
class TreeScatterTest : public SceneTest {
 protected:
  // Every sample gets the colour class; elevations stay flat.
  static void paint(uint8_t color_class) {
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c) cover_row(r)[c] = CoverCell{color_class, 0};
  }
  static int32_t count_objects(int32_t lo, int32_t hi) {
    int32_t n = 0;
    for (int32_t r = 0; r < grid_height; ++r)
      for (int32_t c = 0; c < grid_width; ++c) n += cover_row(r)[c].object >= lo && cover_row(r)[c].object <= hi;
    return n;
  }
};
}  // namespace

TEST_F(TreeScatterTest, DensitySetsTheShareOfCellsAndTheMaskTheKinds) {
  paint(57);
  clear_tree_masks();
  tree_mask_add(57, kTreeBitOak | kTreeBitPine);
  tree_tables_init();
  struct Case {
    int32_t density;
    double lo, hi;
  };
  for (const Case& c : {Case{0, 0.0, 0.0}, Case{128, 0.45, 0.55}, Case{255, 0.99, 1.0}}) {
    tree_settings.tree_density[1] = c.density;
    random_seed(7);
    scatter_trees();
    const double share = count_objects(34, 37) / (256.0 * 256.0);
    EXPECT_GE(share, c.lo) << c.density;
    EXPECT_LE(share, c.hi) << c.density;
    EXPECT_EQ(count_objects(34, 34) + count_objects(36, 36), 0);
  }
}

TEST_F(TreeScatterTest, EmptyMaskPlantsNothingUntilAKindIsAdded) {
  paint(58);
  clear_tree_masks();
  tree_tables_init();
  tree_settings.tree_density[2] = 255;
  scatter_trees();
  EXPECT_EQ(count_objects(1, 255), 0);
  tree_mask_add(58, kTreeBitCactus);
  scatter_trees();
  EXPECT_GT(count_objects(36, 36), 60000);
  EXPECT_EQ(count_objects(34, 35) + count_objects(37, 37), 0);
}

TEST_F(TreeScatterTest, SteepCellsNeverGetATree) {
  paint(56);
  tree_mask_add(56, kTreeBitPalm);
  tree_settings.tree_density[0] = 255;
  // Column 100 rises 30 m (the x spacing) over one step: its cells and those left of it are too steep.
  for (int32_t r = 0; r < grid_height; ++r) elevation_row(r)[100] = 30;
  // Column 200 rises 29 m: still level enough.
  for (int32_t r = 0; r < grid_height; ++r) elevation_row(r)[200] = 29;
  scatter_trees();
  int32_t steep = 0, gentle = 0;
  for (int32_t r = 0; r < land_height; ++r) {
    steep += cover_row(r)[99].object + cover_row(r)[100].object;
    gentle += cover_row(r)[199].object != 0;
  }
  EXPECT_EQ(steep, 0);
  EXPECT_GT(gentle, 240);
}

TEST_F(TreeScatterTest, WaterRemovesScatteredTreesAndKeepsHandPlacedOnes) {
  paint(59);
  tree_mask_add(59, kTreeBitPine);
  tree_settings.tree_density[3] = 255;
  scatter_trees();
  cover_row(10)[10].object = 63;  // a pine placed by hand
  ASSERT_EQ(cover_row(10)[11].object, 37);
  for (int32_t c : {10, 11}) cover_row(10)[c].color_class = 52;
  scatter_trees();
  EXPECT_EQ(cover_row(10)[10].object, 63);
  EXPECT_EQ(cover_row(10)[11].object, 0);
}

TEST_F(TreeScatterTest, SameLandscapeAndSettingsScatterTheSameTrees) {
  paint(57);
  tree_mask_add(57, 15);
  tree_settings.tree_density[1] = 100;
  random_seed(1234);
  scatter_trees();
  std::vector<uint8_t> first;
  for (int32_t r = 0; r < land_height; ++r)
    for (int32_t c = 0; c < land_width; ++c) first.push_back(cover_row(r)[c].object);
  random_seed(1234);
  scatter_trees();
  int32_t i = 0;
  for (int32_t r = 0; r < land_height; ++r)
    for (int32_t c = 0; c < land_width; ++c) ASSERT_EQ(cover_row(r)[c].object, first[i++]);
}

TEST_F(TreeScatterTest, CoarseStepsUseTheLatticeOnlyAndLeaveOtherSamplesAlone) {
  paint(56);
  tree_mask_add(56, kTreeBitOak);
  tree_settings.tree_density[0] = 255;
  cover_row(1)[1].object = 35;  // off the lattice of step 4: neither cleared nor planted
  render_settings.grid_step = 4;
  scatter_trees();
  int32_t off_lattice = 0;
  for (int32_t r = 0; r < grid_height; ++r)
    for (int32_t c = 0; c < grid_width; ++c)
      if ((r % 4 || c % 4) && cover_row(r)[c].object) ++off_lattice;
  EXPECT_EQ(off_lattice, 1);
  EXPECT_EQ(cover_row(1)[1].object, 35);
  EXPECT_GT(count_objects(35, 35), 4000);
  clear_tree_marks();
  EXPECT_EQ(cover_row(1)[1].object, 35);
  EXPECT_EQ(count_objects(35, 35), 1);
}

TEST_F(TreeScatterTest, CellsReachingBeyondTheGridGetNoTree) {
  // 263 samples: 261 landscape samples, so at step 8 the last lattice cell starts at 256 and its far corners
  // (264) lie beyond the grid's last sample (262).
  ASSERT_EQ(set_landscape_size(263, 263), 1);
  clear_elevations();
  paint(56);
  tree_mask_add(56, kTreeBitOak);
  tree_settings.tree_density[0] = 255;
  for (int32_t step : {1, 2, 4, 8}) {
    render_settings.grid_step = step;
    scatter_trees();
    const int32_t last = ((land_width - 1) / step) * step;
    const bool inside = last + step < grid_width;
    if (!inside) {
      for (int32_t r = 0; r < land_height; r += step) EXPECT_EQ(cover_row(r)[last].object, 0) << step;
    }
    EXPECT_GT(count_objects(35, 35), 0) << step;
  }
}

TEST_F(TreeScatterTest, NoDataCornersGetNoTree) {
  paint(56);
  tree_mask_add(56, kTreeBitOak);
  tree_settings.tree_density[0] = 255;
  elevation_row(51)[51] = -32768;
  scatter_trees();
  for (int32_t r : {50, 51})
    for (int32_t c : {50, 51}) EXPECT_EQ(cover_row(r)[c].object, 0) << r << " " << c;
}
