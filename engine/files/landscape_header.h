// The header buffers of the two landscape formats, their magics and the fixed field offsets.
#pragma once

#include <cstdint>

constexpr int32_t kDl4HeaderSize = 1024;
constexpr int32_t kOldHeaderSize = 2048;
constexpr const char* kDl4Magic = "DL4 DEM File";
constexpr const char* kOldMagic = "Dalve DEM File";

// Current-format header fields (little-endian).
namespace dl4 {
constexpr int32_t kName = 32, kDescription = 64, kFlags = 128, kSession = 132, kColumns = 136, kRows = 140;
constexpr int32_t kOne = 144, kOrigin = 148, kSpacing = 160;
constexpr int32_t kColorTable = 172, kClassAttributes = 176, kTextureTable = 180, kElevations = 184,
                  kTerrainMap = 188, kShadowMap = 192, kImagePalette = 196, kCameraPath = 200;
constexpr int32_t kCloudPattern = 376, kCloudColors = 380, kBackgroundName = 844, kForegroundName = 848;
}  // namespace dl4

// The last current-format header read or written.
extern uint8_t dem_header[kDl4HeaderSize];
// The first 2048 bytes of the landscape file read last, whatever its format (older fields in memory order
// after an older-format load).
extern uint8_t old_dem_header[kOldHeaderSize];
// The third sample spacing; only the landscape files store it.
extern float grid_spacing_z;

// Start values: both header buffers cleared, the third spacing 1.
void reset_landscape_headers();
// Clears dem_header but keeps its name and description.
void dl4_header_reset();
// Clears old_dem_header but keeps its name and description.
void old_header_reset();
// 1 when the buffer starts with the magic (the magic's characters, then a NUL).
int32_t header_has_magic(const uint8_t* header, const char* magic);

// Little-endian float and signed fields.
float get_f32(const uint8_t* p);
void put_f32(uint8_t* p, float v);
int32_t get_i32(const uint8_t* p);
void put_i32(uint8_t* p, int32_t v);
