// Placeholders for the scene set-up calls: each does nothing yet and is to be replaced by the
// scene-object module (star field and cloud pattern).
#include "engine/landscape/scene_init_pending.h"

// TODO(scene objects): star map.
void build_starmap() {}
// TODO(scene objects): cloud_scale 8 when 0, random_seed(123456), the cloud pattern, density and hardness.
void init_clouds() {}
