// Enlarging and shrinking the landscape: twice the samples over the same ground or a quarter, and half the samples.
#pragma once

#include <cstdint>

// Fill types of an enlargement: the answer "Interpolate" of "Choose fill type:"; any other value duplicates.
constexpr int32_t kFillInterpolate = 1;
constexpr int32_t kFillDuplicate = 0;
// The smallest landscape that can be shrunk, in cells each way.
constexpr int32_t kMinShrinkCells = 64;

// Sample counts of the whole landscape enlarged: 2n - 1 for an odd count n, else 2n - 2.
int32_t enlarged_samples(int32_t samples);
// True when "Enlarge all" stays within the largest grid side.
bool enlarge_all_fits();
// Twice the samples each way over the same ground (spacing halved); the cover grid is emptied. 0 with the
// landscape unchanged when a side would exceed 8194 samples or memory is short.
int32_t enlarge_all(int32_t fill);
// The quarter whose first sample is (column, row) (clamped to the first half) spread over the whole grid at
// double resolution; cover cells are duplicated; camera, target and origin keep their places over the ground.
int32_t enlarge_region(int32_t column, int32_t row, int32_t fill);
// Half the samples by averaging 2 by 2 blocks; region_mode 1 makes the grid smaller, any other mode keeps its
// size with the half-size copy in the first quarter. 0 with the landscape unchanged when it is narrower or lower
// than 64 cells or memory is short.
int32_t shrink_landscape();
// The Shrink command: shrink_landscape with a message when it refuses; its result.
int32_t shrink_command();
