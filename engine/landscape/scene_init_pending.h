// Scene set-up that engine initialisation calls, until the sky module provides it: the star map and the
// cloud pattern.
#pragma once

#include <cstdint>

// Builds the star map.
void build_starmap();
// The seeded cloud pattern and its density and hardness ramp bounds.
void init_clouds();
