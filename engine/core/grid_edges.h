// Copying the second-last column and row of the elevations into the last real one and into the guard samples.
#pragma once

// For every grid row the last real sample takes the value of the one before it and the guard takes that value;
// then the same for every grid column along the last real row and the guard row. Nothing without a grid.
void replicate_grid_edges();
