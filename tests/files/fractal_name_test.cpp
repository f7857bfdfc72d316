// Names of generated fractal landscapes.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/landscape/fractal_name.h"
#include "engine/core/landscape_names.h"
#include "engine/core/settings.h"

namespace {

TEST(FractalName, NameAndDescriptionTexts) {
  reset_settings_defaults();
  struct Case {
    int32_t island, seed, roughness, feature;
    const char* name;
    const char* description;
  };
  const Case cases[] = {
      {1, 0, 100, 1, "Fractal ISLAND #0", "Fractal roughness 100, Feature size 1."},
      {0, 123456, 250, 8, "Fractal MOUNTAIN #123456", "Fractal roughness 250, Feature size 8."},
      {7, -2147483647 - 1, -2147483647 - 1, -2147483647 - 1, "Fractal ISLAND #-2147483648",
       "Fractal roughness -2147483648, Feature size -2147483648."},
  };
  for (const Case& c : cases) {
    std::memset(landscape_name, 'x', sizeof landscape_name);
    terrain_settings.island_mode = c.island;
    terrain_settings.fractal_roughness = c.roughness;
    terrain_settings.feature_size = c.feature;
    name_fractal_landscape(c.seed);
    EXPECT_STREQ(landscape_name, c.name);
    EXPECT_STREQ(landscape_description, c.description);
    // The rest of the name is cleared.
    for (size_t i = std::strlen(c.name); i < sizeof landscape_name; ++i) EXPECT_EQ(landscape_name[i], 0);
  }
  reset_settings_defaults();
}

}  // namespace
