// What palette prediction reads from the scene objects: the texture map of a colour class and the cloud lining.
#pragma once

#include <cstdint>

// One size level of a texture map: 0xAARRGGBB pixels, row after row.
struct PredictTextureLevel {
  uint32_t width;
  uint32_t height;
  const uint32_t* pixels;
};

// Fills the full-size level and level 2 of the texture of colour class `slot`; false when none is loaded.
using PredictTextureSource = bool (*)(int32_t slot, PredictTextureLevel* level0, PredictTextureLevel* level2);
// The cloud colour (0xAARRGGBB) with the lining of thin cloud added.
using PredictCloudLining = uint32_t (*)(uint32_t color);

// Bound by the scene objects' module; while null, no texture is loaded and clouds have no lining.
extern PredictTextureSource predict_texture_source;
extern PredictCloudLining predict_cloud_lining;
