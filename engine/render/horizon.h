// The horizon disc at the landscape's base level, reaching far beyond the landscape.
#pragma once

#include <cstdint>

// Rings are drawn while their inner radius is below this, in metres.
constexpr int32_t kHorizonRadius = 340000;

// 1 when done or switched off, -1 when the user stopped it.
int32_t render_horizon();
