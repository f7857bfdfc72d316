// Bounded section and row reading shared by the landscape readers.
#include "engine/files/landscape_file_reader.h"

#include <cstring>
#include <string>

#include "engine/files/file_messages.h"
#include "engine/files/file_open.h"
#include "engine/files/landscape_row_codecs.h"
#include "engine/files/session_section_hooks.h"
#include "engine/ui/requesters.h"
#include "engine/ui/status.h"

LandscapeFileReader::~LandscapeFileReader() {
  if (file) std::fclose(file);
}

int32_t LandscapeFileReader::open(const char* file_path) {
  path = file_path ? file_path : "";
  file = open_file(path, "rb");
  if (!file) return 0;
  if (std::fseek(file, 0, SEEK_END) != 0) return 0;
  const long end = std::ftell(file);
  if (end < 0 || std::fseek(file, 0, SEEK_SET) != 0) return 0;
  size = static_cast<uint64_t>(end);
  return 1;
}

int32_t LandscapeFileReader::read_at(int64_t offset, void* out, size_t n) {
  if (offset >= 0) {
    if (static_cast<uint64_t>(offset) > size || std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return 0;
  }
  return std::fread(out, 1, n, file) == n ? 1 : 0;
}

int32_t LandscapeFileReader::seek(uint64_t offset) {
  return offset <= size && std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 ? 1 : 0;
}

int32_t LandscapeFileReader::section_fits(uint64_t offset, uint64_t n) const {
  return offset <= size && n <= size - offset ? 1 : 0;
}

int32_t LandscapeFileReader::read_packed_row(uint8_t* out, int32_t max_out) {
  uint8_t length_bytes[2];
  if (!read_at(-1, length_bytes, 2)) return -1;
  const int32_t length = (length_bytes[0] << 8) | length_bytes[1];
  if (length > kPackedRowMax) {
    fault = "A packed row is longer than any row can be.";
    return -1;
  }
  uint8_t packed[kPackedRowMax];
  if (!read_at(-1, packed, static_cast<size_t>(length))) return -1;
  const int32_t n = rle_unpack(packed, length, out, max_out);
  if (n < 0) fault = "A packed row holds more data than a row can, or ends inside a packet.";
  return n;
}

int32_t msg_damaged_file(const char* path, const char* reason) {
  if (!reason) return msg_error_reading(path);
  ++file_errors_shown;
  const std::string text = std::string("Error reading file: \"") + (path ? path : "") + "\"\n" + reason;
  requester(text.c_str(), "  OK  ", nullptr);
  return 0;
}

namespace {
// Reads one row of 16-bit values into samples (at least need samples); packed rows go through the given
// second stage. Returns 1 or 0.
template <typename Decode>
int32_t read_row16(LandscapeFileReader& r, bool packed, int32_t need, std::vector<uint8_t>& bytes,
                   std::vector<int16_t>& samples, Decode decode) {
  if (!packed) {
    if (!r.read_at(-1, bytes.data(), static_cast<size_t>(need) * 2)) return 0;
    return decode(bytes.data(), need * 2, samples.data(), need, false);
  }
  const int32_t n = r.read_packed_row(bytes.data(), static_cast<int32_t>(bytes.size()));
  if (n < 0) return 0;
  return decode(bytes.data(), n, samples.data(), need, true);
}

constexpr const char* kShortRow = "A row holds fewer samples than the header says.";
}  // namespace

int32_t read_elevation_rows(LandscapeFileReader& r, bool packed, int32_t need_columns, int32_t read_rows,
                            int32_t keep_columns, int32_t keep_rows, std::vector<int16_t>* out,
                            const char* progress_label) {
  std::vector<uint8_t> bytes(kPackedRowMax * 2);
  std::vector<int16_t> samples(kRowMaxSamples);
  out->assign(static_cast<size_t>(keep_columns) * static_cast<size_t>(keep_rows), 0);
  auto decode = [&r](const uint8_t* in, int32_t n, int16_t* s, int32_t need, bool is_packed) -> int32_t {
    if (!is_packed) {
      for (int32_t i = 0; i < need; ++i) s[i] = static_cast<int16_t>(in[2 * i] | in[2 * i + 1] << 8);
      return 1;
    }
    const int32_t count = delta_unpack16(in, n, s, kRowMaxSamples);
    if (count < 0) {
      r.fault = "A row's elevation codes run past the row.";
      return 0;
    }
    if (count < need) {
      r.fault = kShortRow;
      return 0;
    }
    return 1;
  };
  for (int32_t row = 0; row < read_rows; ++row) {
    if (progress_label) show_progress(progress_label, row, read_rows);
    if (!read_row16(r, packed, need_columns, bytes, samples, decode)) return 0;
    if (row < keep_rows && keep_columns > 0)
      std::memcpy(out->data() + static_cast<size_t>(row) * keep_columns, samples.data(),
                  static_cast<size_t>(keep_columns) * 2);
  }
  return 1;
}

int32_t read_pair_rows(LandscapeFileReader& r, bool packed, int32_t need_columns, int32_t read_rows,
                       int32_t keep_columns, int32_t keep_rows, std::vector<uint16_t>* out) {
  std::vector<uint8_t> bytes(kPackedRowMax * 2);
  std::vector<int16_t> samples(kRowMaxSamples);
  out->assign(static_cast<size_t>(keep_columns) * static_cast<size_t>(keep_rows), 0);
  auto decode = [&r](const uint8_t* in, int32_t n, int16_t* s, int32_t need, bool) -> int32_t {
    if (n < need * 2) {
      r.fault = kShortRow;
      return 0;
    }
    for (int32_t i = 0; i < need; ++i) s[i] = static_cast<int16_t>(in[2 * i] << 8 | in[2 * i + 1]);
    return 1;
  };
  for (int32_t row = 0; row < read_rows; ++row) {
    if (!read_row16(r, packed, need_columns, bytes, samples, decode)) return 0;
    if (row < keep_rows && keep_columns > 0)
      std::memcpy(out->data() + static_cast<size_t>(row) * keep_columns, samples.data(),
                  static_cast<size_t>(keep_columns) * 2);
  }
  return 1;
}

int32_t read_cloud_rows(LandscapeFileReader& r, bool packed, uint8_t* pattern) {
  if (!packed) return r.read_at(-1, pattern, kCloudPatternBytes);
  for (int32_t row = 0; row < kCloudPatternSide; ++row) {
    const int32_t n = r.read_packed_row(pattern + row * kCloudPatternSide, kCloudPatternSide);
    if (n < 0) return 0;
    if (n != kCloudPatternSide) {
      r.fault = "A cloud pattern row is shorter than 256 bytes.";
      return 0;
    }
  }
  return 1;
}
