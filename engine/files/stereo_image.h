// Stereo pairs: two Targa pictures, one per eye, composed into the frame as a red/blue anaglyph or a
// side-by-side pair for a Cyberscope viewer.
#pragma once

#include <cstdint>

constexpr const char* kStereoNoMemory = "Not enough memory for 24 bit buffer!";
constexpr const char* kStereoSizesDiffer = "Files must be same dimensions.";
constexpr const char* kStereoCyberscopeShape =
    "Cyberscope pairs need an image at most as high as wide and at least half as high as wide.";

// Asks for the "Left Image" and then the "Right Image" (both before anything is loaded) and composes
// them as an anaglyph; the composition's result, or -1 when either requester is cancelled.
int32_t load_stereo_dialog();
// Red = grey of the left picture, green = blue = grey of the right one. 1 composed; 0 without
// vidmem24, when memory runs out or the sizes differ (each with its message); a failed load's result.
int32_t stereo_compose_anaglyph(const char* left_path, const char* right_path);
// Asks for both pictures itself and places the central block of each, turned a quarter turn, side by
// side with a black divider. 1 composed; 0 as above or when the image's shape does not allow it;
// -1 when a requester is cancelled.
int32_t stereo_compose_cyberscope();
