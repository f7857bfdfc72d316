// Stand-in for the cloud layer until the scene objects are built: draws nothing yet.
#include "engine/scene/cloud_layer.h"

int32_t render_clouds() { return 1; }
