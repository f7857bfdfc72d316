// What palette prediction reads from the cloud layer: the lining that thin cloud adds to the cloud colour.
#pragma once

#include <cstdint>

// The cloud colour (0xAARRGGBB) with the lining of thin cloud added.
using PredictCloudLining = uint32_t (*)(uint32_t color);

// Bound by the cloud module; while null, the predicted cloud colour has no lining.
extern PredictCloudLining predict_cloud_lining;
