// Stand-in for the cloud layer until the scene objects are built: draws nothing yet.
#include "engine/scene/cloud_layer.h"

int32_t cloud_altitude = 4000;

int32_t render_clouds() { return 1; }
