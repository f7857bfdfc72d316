// The sun and ambient light factors from the colour scheme, derived before every frame.
#pragma once

// Sets sun_light_r/g/b and ambient_light_r/g/b from colour entries 77 (Sun) and 78 (Ambient) and the contrast.
void scheme_sky_colors();
