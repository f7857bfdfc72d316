// A copy of the image area of both frame buffers, taken before an image load so that a failed load leaves the
// picture as it was.
#pragma once

#include <cstdint>
#include <vector>

class FrameSnapshot {
 public:
  // Copies the image area of vidmem24 and vidmem8 (each when present). False when memory for the copy is
  // short: then nothing is kept and restore does nothing.
  bool take();
  // Puts the copied pixels back into the buffers, when they still have the size they had.
  void restore() const;

 private:
  bool taken_ = false;
  int32_t width24_ = 0, height24_ = 0, width8_ = 0, height8_ = 0;
  std::vector<uint32_t> pixels24_;
  std::vector<uint8_t> pixels8_;
};
