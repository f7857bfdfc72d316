// Names a freshly generated fractal landscape after its variant and seed.
#include "engine/landscape/fractal_name.h"

#include <cstdio>
#include <cstring>

#include "engine/core/landscape_names.h"
#include "engine/core/settings.h"

void name_fractal_landscape(int32_t seed) {
  std::memset(landscape_name, 0, sizeof landscape_name);
  std::snprintf(landscape_name, sizeof landscape_name, "Fractal %s #%ld", terrain_settings.island_mode ? "ISLAND" : "MOUNTAIN",
                static_cast<long>(seed));
  std::snprintf(landscape_description, sizeof landscape_description, "Fractal roughness %d, Feature size %d.",
                static_cast<int>(terrain_settings.fractal_roughness), static_cast<int>(terrain_settings.feature_size));
}
