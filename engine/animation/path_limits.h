// The ranges that node values entered or dragged by hand must keep: positions, altitudes, speeds and rolls.
#pragma once

#include <cstdint>

// Node and target positions in metres, either axis.
constexpr int32_t kPathCoordMin = -10000000, kPathCoordMax = 10000000;
// Node and target altitudes in metres.
constexpr int32_t kPathAltitudeMin = -32768, kPathAltitudeMax = 100000;
// Node speeds in centimetres per frame (0 would never advance).
constexpr int32_t kPathSpeedMin = 1, kPathSpeedMax = 1000000;
// Barrel roll frames, either direction.
constexpr int32_t kPathRollMax = 10000;
