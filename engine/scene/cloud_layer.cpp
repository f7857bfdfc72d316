// The cloud settings record.
#include "engine/scene/cloud_layer.h"

CloudSettings cloud_settings;

void reset_cloud_settings() { cloud_settings = CloudSettings{}; }
