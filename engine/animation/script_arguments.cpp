// Argument reading for script command lines, with range checks before any integer conversion.
#include "engine/animation/script_arguments.h"

#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The text after the line's first word.
const char* after_keyword(const char* line) {
  while (is_space(*line)) ++line;
  while (*line && !is_space(*line)) ++line;
  return line;
}

enum class Decimal { kNone, kRead, kOutOfRange };

// Reads a decimal number (optional sign, fraction, exponent) at p the same way in every locale.
Decimal read_decimal(const char* p, const char** end, double* value) {
  const char* start = p;
  if (*p == '+') {
    ++p;
    if (*p == '-') return Decimal::kNone;
  }
  const auto r = std::from_chars(p, p + std::strlen(p), *value, std::chars_format::general);
  if (r.ec == std::errc::invalid_argument) {
    *end = start;
    return Decimal::kNone;
  }
  *end = r.ptr;
  return r.ec == std::errc() ? Decimal::kRead : Decimal::kOutOfRange;
}

bool fits_int32(float v) { return std::isfinite(v) && v >= -2147483648.0f && v < 2147483648.0f; }

}  // namespace

int32_t script_read_numbers(const char* line, int32_t max_count, ScriptNumbers* out) {
  for (float& v : out->value) v = 0.0f;
  out->count = 0;
  if (!line) return 1;
  if (max_count > ScriptNumbers::kMax) max_count = ScriptNumbers::kMax;
  const char* p = after_keyword(line);
  while (out->count < max_count) {
    while (is_space(*p)) ++p;
    if (!*p) break;
    const char* end = p;
    double d = 0.0;
    const Decimal read = read_decimal(p, &end, &d);
    if (read == Decimal::kNone) break;
    const float f = static_cast<float>(d);
    if (read == Decimal::kOutOfRange || !std::isfinite(d) || !fits_int32(f)) return 0;
    out->value[out->count++] = f;
    p = end;
  }
  return 1;
}

int32_t script_read_whole(const char* line, int32_t* value) {
  *value = 0;
  if (!line) return 1;
  const char* p = after_keyword(line);
  while (is_space(*p)) ++p;
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(p, &end, 10);
  if (end == p) return 1;
  if (errno == ERANGE || v < INT32_MIN || v > INT32_MAX) return 0;
  *value = static_cast<int32_t>(v);
  return 1;
}

int32_t script_read_word(const char* line, int32_t index, char* out, int32_t out_size) {
  if (out_size <= 0) return 0;
  out[0] = 0;
  if (!line) return 1;
  const char* p = line;
  for (int32_t i = 0;; ++i) {
    while (is_space(*p)) ++p;
    if (!*p) return 1;
    const char* start = p;
    while (*p && !is_space(*p)) ++p;
    if (i == index) {
      const size_t len = static_cast<size_t>(p - start);
      const size_t keep = len < static_cast<size_t>(out_size - 1) ? len : static_cast<size_t>(out_size - 1);
      std::memcpy(out, start, keep);
      out[keep] = 0;
      return keep == len ? 1 : 0;
    }
  }
}

int32_t script_trunc(float value) {
  if (!fits_int32(value)) return 0;
  return static_cast<int32_t>(value);
}

int32_t script_read_keyframe(const char* line, float values[6]) {
  for (int32_t i = 0; i < 6; ++i) values[i] = 0.0f;
  if (!line) return 0;
  const char* p = line;
  for (int32_t i = 0; i < 6; ++i) {
    while (is_space(*p)) ++p;
    const char* end = p;
    double d = 0.0;
    const Decimal read = read_decimal(p, &end, &d);
    if (read == Decimal::kNone) return i;
    const float f = static_cast<float>(d);
    if (read == Decimal::kOutOfRange || !std::isfinite(d) || !fits_int32(f)) return -1;
    values[i] = f;
    p = end;
    if (i == 5) break;
    while (is_space(*p)) ++p;
    if (*p != ',') return i + 1;
    ++p;
  }
  return 6;
}
