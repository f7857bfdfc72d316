// Stand-in for the cloud layer until the scene objects are built: draws nothing yet.
#include "engine/scene/cloud_layer.h"

int32_t render_clouds() { return 1; }
// TODO(scene objects): cloud_scale 8 when 0, random_seed(123456), the cloud pattern, density and hardness.
void init_clouds() {}
