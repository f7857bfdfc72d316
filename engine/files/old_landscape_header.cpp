// Byte order of the older landscape header: its 32-bit fields are big-endian on disk.
#include "engine/files/old_landscape_header.h"

#include <utility>

#include "engine/files/byte_order.h"

namespace {
void swap_range(uint8_t* h, int32_t first, int32_t last) {
  for (int32_t at = first; at <= last; at += 4) {
    std::swap(h[at], h[at + 3]);
    std::swap(h[at + 1], h[at + 2]);
  }
}
}  // namespace

void old_header_swap(uint8_t* h, bool reading) {
  // The presence word decides whether the tail is converted: test it in memory order.
  uint32_t presence = reading ? 0 : get32(h + 132);
  swap_range(h, 128, 380);
  swap_range(h, 388, 592);
  swap_range(h, 628, 640);
  swap_range(h, 660, 692);
  if (reading) presence = get32(h + 132);
  if (presence & kOldHasTail) swap_range(h, 696, 712);
}

