// Targa readers: header checks, plain and run-length rows, top-down and bottom-up files, into images and textures.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/files/file_open.h"
#include "engine/files/targa.h"
#include "engine/files/targa_reader.h"

namespace {

// Buffered byte source; past the end of the file every byte reads as 255 and nothing more is read.
class ByteReader {
 public:
  explicit ByteReader(FILE* f) : file_(f) {}
  uint8_t get() {
    if (pos_ == len_ && !refill()) return 255;
    return buf_[pos_++];
  }
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
void read_rle_row(ByteReader& in, uint8_t* out, int32_t width, int32_t bytes_per_pixel) {
  int32_t x = 0;
  uint8_t pixel[4];
  while (x < width) {
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

}  // namespace

TargaCheck targa_check_file(const char* path, int32_t* width, int32_t* height) {
  FILE* f = open_file(path, "rb");
  if (!f) return kTargaUnreadable;
  TargaHeader h;
  const bool ok = read_header(f, &h);
  std::fclose(f);
  if (!ok || !header_acceptable(h)) return kTargaUnreadable;
  targa_header = h;
  if (width) *width = h.width;
  if (height) *height = h.height;
  if (h.width == 0 || h.height == 0) return kTargaEmpty;
  if (static_cast<uint64_t>(h.width) * h.height > kTargaMaxPixels) return kTargaTooLarge;
  return kTargaOk;
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
  if (h.width == 0 || h.height == 0) {
    std::fclose(f);
    return kTargaReadFailed;
  }
  // Pixel data start after the ID and any colour map; all in 64 bits.
  int64_t offset = kTargaHeaderBytes + int64_t{h.id_length};
  if (h.colormap_type != 0) offset += int64_t{h.colormap_length} * h.colormap_entry_bits / 8;
  if (std::fseek(f, static_cast<long>(offset), SEEK_SET) != 0) {
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
      read_rle_row(in, row.data(), h.width, bpp);
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
