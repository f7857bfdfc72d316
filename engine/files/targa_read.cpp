// Targa readers: header checks, plain and run-length rows, top-down and bottom-up files, into images and textures.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/files/file_open.h"
#include "engine/files/targa.h"
#include "engine/files/targa_reader.h"

namespace {

// Buffered byte source; past the end of the file every byte reads as 0, nothing more is read and
// ended() turns true.
class ByteReader {
 public:
  explicit ByteReader(FILE* f) : file_(f) {}
  uint8_t get() {
    if (pos_ == len_ && !refill()) return 0;
    return buf_[pos_++];
  }
  bool ended() const { return eof_; }
  // Copies up to size bytes; the count actually available.
  size_t read(uint8_t* out, size_t size) {
    size_t done = 0;
    while (done < size) {
      if (pos_ == len_ && !refill()) break;
      const size_t n = std::min(size - done, len_ - pos_);
      std::memcpy(out + done, buf_ + pos_, n);
      pos_ += n;
      done += n;
    }
    return done;
  }

 private:
  bool refill() {
    if (eof_) return false;
    len_ = std::fread(buf_, 1, sizeof buf_, file_);
    pos_ = 0;
    if (len_ == 0) eof_ = true;
    return len_ != 0;
  }
  FILE* file_;
  uint8_t buf_[65536];
  size_t pos_ = 0, len_ = 0;
  bool eof_ = false;
};

// Decodes one run-length row of width pixels into out; a last packet that runs past the row is cut there.
// False when the data end before the row does (the rest of the row is then left as it was).
bool read_rle_row(ByteReader& in, uint8_t* out, int32_t width, int32_t bytes_per_pixel) {
  int32_t x = 0;
  uint8_t pixel[4];
  while (x < width) {
    if (in.ended()) return false;
    const uint8_t p = in.get();
    const int32_t n = (p & 0x7F) + 1;
    if (p & 0x80) {
      for (int32_t b = 0; b < bytes_per_pixel; ++b) pixel[b] = in.get();
      for (int32_t j = 0; j < n; ++j, ++x)
        if (x < width) std::memcpy(out + static_cast<size_t>(x) * bytes_per_pixel, pixel, bytes_per_pixel);
    } else {
      for (int32_t j = 0; j < n; ++j, ++x) {
        for (int32_t b = 0; b < bytes_per_pixel; ++b) pixel[b] = in.get();
        if (x < width) std::memcpy(out + static_cast<size_t>(x) * bytes_per_pixel, pixel, bytes_per_pixel);
      }
    }
  }
  return !in.ended();
}

bool header_acceptable(const TargaHeader& h) {
  return (h.image_type == 2 || h.image_type == 10) && (h.bits_per_pixel == 24 || h.bits_per_pixel == 32);
}

bool read_header(FILE* f, TargaHeader* h) {
  uint8_t bytes[kTargaHeaderBytes];
  if (std::fread(bytes, 1, sizeof bytes, f) != sizeof bytes) return false;
  targa_header_from_bytes(bytes, h);
  return true;
}

// Where the pixel data start: after the header, the ID and any colour map.
int64_t pixel_offset(const TargaHeader& h) {
  int64_t offset = kTargaHeaderBytes + int64_t{h.id_length};
  if (h.colormap_type != 0) offset += int64_t{h.colormap_length} * h.colormap_entry_bits / 8;
  return offset;
}

// The fewest bytes any file of this picture can hold: one full run-length packet of 128 pixels at most
// per 1 + bytes-per-pixel bytes, with no packet crossing a row. A file with less data than that is cut
// short far too early to be decoded.
int64_t smallest_pixel_data(const TargaHeader& h) {
  const int64_t packets_per_row = (int64_t{h.width} + 127) / 128;
  return packets_per_row * h.height * (1 + h.bits_per_pixel / 8);
}

// The header's verdict, the file (open at any position) measured against the picture it claims.
TargaCheck check_header(FILE* f, const TargaHeader& h) {
  if (!header_acceptable(h)) return kTargaUnreadable;
  if (h.width == 0 || h.height == 0) return kTargaEmpty;
  if (static_cast<uint64_t>(h.width) * h.height > kTargaMaxPixels) return kTargaTooLarge;
  if (std::fseek(f, 0, SEEK_END) != 0) return kTargaUnreadable;
  const long size = std::ftell(f);
  if (size < 0 || size - pixel_offset(h) < smallest_pixel_data(h)) return kTargaTruncated;
  return kTargaOk;
}

}  // namespace

TargaCheck targa_check_file(const char* path, int32_t* width, int32_t* height) {
  FILE* f = open_file(path, "rb");
  if (!f) return kTargaUnreadable;
  TargaHeader h;
  if (!read_header(f, &h) || !header_acceptable(h)) {
    std::fclose(f);
    return kTargaUnreadable;
  }
  targa_header = h;
  if (width) *width = h.width;
  if (height) *height = h.height;
  const TargaCheck check = check_header(f, h);
  std::fclose(f);
  return check;
}

int32_t targa_read_size(const char* path, int32_t* width, int32_t* height) {
  int32_t w = 0, h = 0;
  if (targa_check_file(path, &w, &h) != kTargaOk) return 0;
  *width = w;
  *height = h;
  return 1;
}

TargaReadResult targa_read_into(const char* path, const TargaTarget& target, int32_t mode) {
  FILE* f = open_file(path, "rb");
  if (!f) return kTargaReadFailed;
  TargaHeader h;
  if (!read_header(f, &h) || !header_acceptable(h)) {
    std::fclose(f);
    return kTargaReadFailed;
  }
  targa_header = h;
  if (check_header(f, h) != kTargaOk || std::fseek(f, static_cast<long>(pixel_offset(h)), SEEK_SET) != 0) {
    std::fclose(f);
    return kTargaReadFailed;
  }
  const int32_t bpp = h.bits_per_pixel / 8;
  const int32_t cols = h.width < target.width ? h.width : target.width;
  const int32_t rows = h.height < target.height ? h.height : target.height;
  const bool top_down = (h.descriptor & kTargaTopDown) != 0;
  const size_t row_bytes = static_cast<size_t>(h.width) * bpp;
  std::vector<uint8_t> row(row_bytes);
  ByteReader in(f);
  TargaReadResult result = kTargaReadOk;
  for (int32_t i = 0; i < rows; ++i) {
    if (h.image_type == 10) {
      if (!read_rle_row(in, row.data(), h.width, bpp)) {
        result = kTargaReadShort;
        break;
      }
    } else if (in.read(row.data(), row_bytes) != row_bytes) {
      result = kTargaReadShort;
      break;
    }
    const int32_t y = top_down ? i : rows - 1 - i;
    uint32_t* dest = target.row(y);
    if (bpp == 3)
      targa_unpack_row(row.data(), cols, dest, mode);
    else
      targa_unpack_row_alpha(row.data(), cols, dest, mode);
  }
  std::fclose(f);
  return result;
}

int32_t targa_load_texture(const char* path, ImageBuffer* image, int32_t mode) {
  if (!image || !image->pixels) return 0;
  TargaTarget t;
  t.pixels = image->pixels;
  t.stride = image->width;
  t.width = image->width;
  t.height = image->height;
  return targa_read_into(path, t, mode) == kTargaReadOk ? 1 : 0;
}

ImageBuffer* targa_load_image(const char* path) {
  int32_t w = 0, h = 0;
  if (targa_check_file(path, &w, &h) != kTargaOk) return nullptr;
  ImageBuffer* image = image_alloc(w, h);
  if (!image) return nullptr;
  TargaTarget t;
  t.pixels = image->pixels;
  t.stride = w;
  t.width = w;
  t.height = h;
  if (targa_read_into(path, t, kTargaOpaque) == kTargaReadFailed) {
    image_free(image);
    return nullptr;
  }
  return image;
}
