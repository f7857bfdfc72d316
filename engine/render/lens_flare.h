// Lens flare: bright pixels of flaring colour classes spread a circular glow over their neighbourhood.
#pragma once

#include <cstdint>

// Adds the glows to vidmem24. Returns 1 when done, -1 when stopped by the user, when vidmem24 is absent,
// when flare_enabled is 0 or when the copy of the image cannot be allocated.
int32_t lens_flare();
