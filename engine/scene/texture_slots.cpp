// Texture slots: loading a Targa texture with its eight smaller levels, freeing, and the coordinate jitter.
#include "engine/scene/texture_slots.h"

#include <cstdio>
#include <cstring>

#include "engine/files/file_messages.h"
#include "engine/files/image_buffer.h"
#include "engine/files/targa.h"
#include "engine/core/grid.h"
#include "engine/core/random.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/requesters.h"

TextureSlot texture_slots[256];

void texture_slots_init() {
  for (auto& s : texture_slots) s.deformation = 100;
  for (int32_t i = 88; i <= 91; ++i) texture_slots[i].deformation = 0;
}

void texture_slot_free(int32_t n) {
  if (n < 0 || n > 255) return;
  TextureSlot& s = texture_slots[n];
  if (s.levels[0].pixels) global_free(s.levels[0].pixels);
  s.levels[0].pixels = nullptr;
  s.levels[0].bytes = 0;
  s.loaded = 0;
}

void texture_slots_free_all() {
  for (int32_t i = 0; i < 256; ++i) {
    texture_slot_free(i);
    texture_slots[i].name[0] = '\0';
  }
}

uint64_t texture_block_bytes(uint32_t w, uint32_t h) {
  uint64_t levels = 0;
  uint64_t lw = w, lh = h;
  for (int32_t l = 0; l < kTextureLevels; ++l) {
    levels += lw * lh * 4;
    lw = lw / 2 > 0 ? lw / 2 : 1;
    lh = lh / 2 > 0 ? lh / 2 : 1;
  }
  const uint64_t plain = uint64_t{w} * h * 6;
  const uint64_t bytes = plain > levels ? plain : levels;
  return bytes > 0xFFFFFFFFull ? 0 : bytes;
}

void texture_build_mip_level(const uint32_t* src, uint32_t* dst, int32_t w, int32_t h) {
  const int32_t w2 = w / 2 > 0 ? w / 2 : 1;
  const int32_t h2 = h / 2 > 0 ? h / 2 : 1;
  for (int32_t r = 0; r < h2; ++r) {
    const int32_t r0 = 2 * r, r1 = 2 * r + 1 < h ? 2 * r + 1 : 2 * r;
    for (int32_t c = 0; c < w2; ++c) {
      const int32_t c0 = 2 * c, c1 = 2 * c + 1 < w ? 2 * c + 1 : 2 * c;
      const uint32_t p[4] = {src[static_cast<size_t>(r0) * w + c0], src[static_cast<size_t>(r0) * w + c1],
                             src[static_cast<size_t>(r1) * w + c0], src[static_cast<size_t>(r1) * w + c1]};
      uint32_t a = 0, sr = 0, sg = 0, sb = 0;
      for (uint32_t v : p) {
        const uint32_t al = v >> 24;
        a += al;
        sr += ((v >> 16) & 255) * al;
        sg += ((v >> 8) & 255) * al;
        sb += (v & 255) * al;
      }
      const uint32_t d = a == 0 ? 1 : a;
      const auto cap = [](uint32_t v) { return v > 255 ? 255u : v; };
      const uint32_t red = cap((sr + d / 2) / d), green = cap((sg + d / 2) / d), blue = cap((sb + d / 2) / d);
      const uint32_t alpha = cap((d + 2) / 4);
      dst[static_cast<size_t>(r) * w2 + c] = alpha << 24 | red << 16 | green << 8 | blue;
    }
  }
}

namespace {
void show_ok(const char* text) { requester(text, "  OK  ", nullptr); }

void refuse(const char* format, const char* name, int32_t w, int32_t h) {
  if (w >= 0)
    std::snprintf(text_buffer, sizeof text_buffer, format, w, h, name);
  else
    std::snprintf(text_buffer, sizeof text_buffer, format, name);
  show_ok(text_buffer);
}
}  // namespace

int32_t texture_slot_load(int32_t n, char* name) {
  if (n < 0 || n > 255 || !name) return 0;
  texture_slot_free(n);
  TextureSlot& s = texture_slots[n];
  if (s.name != name) {
    std::strncpy(s.name, name, sizeof s.name - 1);
    s.name[sizeof s.name - 1] = '\0';
  }
  if (name[0] == '\0') return 1;

  int32_t w = 0, h = 0;
  switch (targa_check_file(name, &w, &h)) {
    case kTargaOk:
      break;
    case kTargaEmpty:
      refuse("Texture map has no pixels (width or height 0): \"%s\"", name, -1, -1);
      name[0] = '\0';
      return 0;
    case kTargaTooLarge:
      refuse("Texture map too large (%d by %d pixels): \"%s\"", name, w, h);
      name[0] = '\0';
      return 0;
    default:
      msg_error_reading(name);
      name[0] = '\0';
      return 0;
  }

  const uint64_t bytes = texture_block_bytes(static_cast<uint32_t>(w), static_cast<uint32_t>(h));
  auto* block = bytes ? static_cast<uint32_t*>(global_alloc_zeroed(static_cast<size_t>(bytes))) : nullptr;
  if (!block) {
    s.loaded = 0;
    std::snprintf(text_buffer, sizeof text_buffer, "Insufficient memory  (%lld bytes needed).",
                  static_cast<long long>(bytes));
    show_ok(text_buffer);
    name[0] = '\0';
    return 0;
  }
  TextureLevel& l0 = s.levels[0];
  l0.width = static_cast<uint32_t>(w);
  l0.height = static_cast<uint32_t>(h);
  l0.bytes = static_cast<uint32_t>(bytes);
  l0.pixels = block;
  ImageBuffer image{w, h, static_cast<uint32_t>(uint64_t{static_cast<uint32_t>(w)} * static_cast<uint32_t>(h) * 4),
                    block};
  // A file whose pixel data end early leaves the missing rows transparent; the texture still counts as loaded.
  targa_load_texture(name, &image, kTargaKeepAlpha);

  for (int32_t l = 0; l < kTextureLevels - 1; ++l) {
    const TextureLevel& src = s.levels[l];
    TextureLevel& dst = s.levels[l + 1];
    dst.width = src.width / 2 > 0 ? src.width / 2 : 1;
    dst.height = src.height / 2 > 0 ? src.height / 2 : 1;
    dst.bytes = 0;
    dst.pixels = src.pixels + static_cast<size_t>(src.width) * src.height;
    texture_build_mip_level(src.pixels, dst.pixels, static_cast<int32_t>(src.width), static_cast<int32_t>(src.height));
  }
  s.loaded = static_cast<uint8_t>(n);
  return 1;
}

float texture_coord_jitter(int32_t a, int32_t b) { return texture_jitter_from_hash(random_at2(a, b)); }

float texture_jitter_from_hash(int32_t hash) { return static_cast<float>((hash & 65535) - 32768) / 65536.0f; }
