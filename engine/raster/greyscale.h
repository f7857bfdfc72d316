// Greyscale conversion of the 32-bit image by luminance.
#pragma once

// Every pixel of the image becomes grey (30% red, 59% green, 11% blue) with slot 0; nothing without vidmem24.
void greyscale_luminance();
