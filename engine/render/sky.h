// The sky dome drawn first in every frame, with the sun's glow.
#pragma once

#include <cstdint>

// Radius of the dome and the depth of its centre below altitude 0, in metres.
constexpr double kSkyDomeRadius = 600000.0;
constexpr double kSkyDomeCentreDepth = 500000.0;

// 1 when done or switched off, -1 when the user stopped it.
int32_t render_sky();
