// Test support for the animation files: frames to write, and ffprobe/ffmpeg to read them back.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/files/image_test_support.h"

namespace movietest {

// Fills vidmem24 with a smooth picture that moves with k, and vidmem8 with indexes that change with k.
void fill_moving_frame(int32_t k);
// The 24-bit frame buffer as a picture (0x00RRGGBB).
imgtest::Picture frame_picture();
// The 8-bit frame buffer through the display palette.
imgtest::Picture indexed_picture();

bool have_ffmpeg();  // both ffprobe and ffmpeg
// ffprobe's view of the first video stream: codec_name, width, height, nb_read_frames, r_frame_rate,
// avg_frame_rate; also format_name.
std::map<std::string, std::string> probe(const std::string& path);
// Every frame as ffmpeg decodes it, as RGB pictures.
std::vector<imgtest::Picture> decode(const std::string& path, const std::string& scratch_folder);

}  // namespace movietest
