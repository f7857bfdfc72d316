// The landscape row codecs; decoders are bounded by both the input length and the output capacity.
#include "engine/files/landscape_row_codecs.h"

int32_t delta_pack16(const int16_t* samples, uint8_t* out, int32_t count) {
  if (count <= 0) return 0;
  int32_t n = 0;
  const uint16_t first = static_cast<uint16_t>(samples[0]);
  out[n++] = static_cast<uint8_t>(first >> 8);
  out[n++] = static_cast<uint8_t>(first);
  for (int32_t i = 1; i < count; ++i) {
    const int32_t d = int32_t{samples[i]} - int32_t{samples[i - 1]};
    if (d >= -127 && d <= 127) {
      out[n++] = static_cast<uint8_t>(static_cast<int8_t>(d));
    } else {
      const uint16_t v = static_cast<uint16_t>(samples[i]);
      out[n++] = 0x80;
      out[n++] = static_cast<uint8_t>(v >> 8);
      out[n++] = static_cast<uint8_t>(v);
    }
  }
  return n;
}

int32_t delta_unpack16(const uint8_t* in, int32_t byte_count, int16_t* out, int32_t max_samples) {
  if (byte_count <= 0) return 0;
  if (byte_count < 2 || max_samples < 1) return -1;
  uint32_t value = (uint32_t{in[0]} << 8) | in[1];
  int32_t n = 0;
  out[n++] = static_cast<int16_t>(static_cast<uint16_t>(value));
  int32_t i = 2;
  while (i < byte_count) {
    const int8_t b = static_cast<int8_t>(in[i++]);
    if (b == -128) {
      if (i + 2 > byte_count) return -1;
      value = (uint32_t{in[i]} << 8) | in[i + 1];
      i += 2;
    } else {
      value += static_cast<uint32_t>(static_cast<int32_t>(b));  // wraps like the 16-bit samples it carries
    }
    if (n >= max_samples) return -1;
    out[n++] = static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF));
  }
  return n;
}

int32_t rle_find_run(const uint8_t* p, int32_t m) {
  for (int32_t i = 0; i < m - 3; ++i)
    if (p[i] == p[i + 1] && p[i] == p[i + 2]) return i;
  return m;
}

int32_t rle_run_length(const uint8_t* p, int32_t m) {
  int32_t r = 1;
  while (r < m && p[r] == p[0]) ++r;
  return r;
}

int32_t rle_pack(const uint8_t* in, uint8_t* out, int32_t count) {
  int32_t n = 0;
  int32_t pos = 0;
  while (pos < count) {
    int32_t k = rle_find_run(in + pos, count - pos);
    while (k > 0) {
      const int32_t c = k > 127 ? 127 : k;
      out[n++] = static_cast<uint8_t>(c - 1);
      for (int32_t j = 0; j < c; ++j) out[n++] = in[pos + j];
      pos += c;
      k -= c;
    }
    if (pos >= count) break;
    int32_t r = rle_run_length(in + pos, count - pos);
    const uint8_t value = in[pos];
    pos += r;
    while (r > 0) {
      const int32_t c = r > 127 ? 127 : r;
      out[n++] = static_cast<uint8_t>(static_cast<int8_t>(1 - c));
      out[n++] = value;
      r -= c;
    }
  }
  return n;
}

int32_t rle_unpack(const uint8_t* in, int32_t byte_count, uint8_t* out, int32_t max_out) {
  int32_t n = 0;
  int32_t i = 0;
  while (i < byte_count) {
    const int32_t h = static_cast<int8_t>(in[i++]);
    if (h >= 0) {
      const int32_t c = h + 1;
      if (i + c > byte_count || n + c > max_out) return -1;
      for (int32_t j = 0; j < c; ++j) out[n++] = in[i + j];
      i += c;
    } else {
      const int32_t c = 1 - h;
      if (i >= byte_count || n + c > max_out) return -1;
      const uint8_t v = in[i++];
      for (int32_t j = 0; j < c; ++j) out[n++] = v;
    }
  }
  return n;
}

void swap16_array(void* buffer, int32_t count) {
  uint8_t* p = static_cast<uint8_t*>(buffer);
  for (int32_t i = 0; i < count; ++i, p += 2) {
    const uint8_t t = p[0];
    p[0] = p[1];
    p[1] = t;
  }
}

void swap32_array(void* buffer, int32_t count) {
  uint8_t* p = static_cast<uint8_t*>(buffer);
  for (int32_t i = 0; i < count; ++i, p += 4) {
    uint8_t t = p[0];
    p[0] = p[3];
    p[3] = t;
    t = p[1];
    p[1] = p[2];
    p[2] = t;
  }
}
