// JPEG writing and reading; the library's fatal errors return to each operation's recovery point.
//
// Each operation keeps everything it holds (codec, file, buffers) in one heap record taken before
// its recovery point is set, so the recovery path finds every resource and releases it; the
// functions holding the recovery point own no object with a destructor.
#include "engine/files/jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "engine/files/file_open.h"
#include "engine/files/safe_write.h"
#include "engine/host/host.h"

int32_t jpeg_quality = kJpegQualityDefault;
int32_t jpeg_last_width = 0, jpeg_last_height = 0, jpeg_last_bits = 0;

int32_t get_jpeg_quality() { return jpeg_quality; }

int32_t clamp_jpeg_quality(int32_t quality) {
  return quality < kJpegQualityMin ? kJpegQualityMin : quality > kJpegQualityMax ? kJpegQualityMax : quality;
}

void pack_rgb_row(const uint32_t* pixels, uint8_t* out, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const uint32_t p = pixels[i];
    out[3 * i] = static_cast<uint8_t>(p >> 16);
    out[3 * i + 1] = static_cast<uint8_t>(p >> 8);
    out[3 * i + 2] = static_cast<uint8_t>(p);
  }
}

void unpack_rgb_row(const uint8_t* in, uint32_t* pixels, int32_t count) {
  for (int32_t i = 0; i < count; ++i)
    pixels[i] = static_cast<uint32_t>(in[3 * i]) << 16 | static_cast<uint32_t>(in[3 * i + 1]) << 8 | in[3 * i + 2];
}

void unpack_grey_row(const uint8_t* in, uint32_t* pixels, int32_t count) {
  for (int32_t i = 0; i < count; ++i) pixels[i] = static_cast<uint32_t>(in[i]) * 0x010101u;
}

void unpack_cmyk_row(const uint8_t* in, uint32_t* pixels, int32_t count, int32_t inverted) {
  for (int32_t i = 0; i < count; ++i) {
    uint32_t c = in[4 * i], m = in[4 * i + 1], y = in[4 * i + 2], k = in[4 * i + 3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    // Inverted values are the amounts of light left: red = (1 - cyan) (1 - black).
    pixels[i] = (c * k + 127) / 255 << 16 | (m * k + 127) / 255 << 8 | (y * k + 127) / 255;
  }
}

namespace {
// The library's error manager with the recovery point of the running operation.
struct ErrorManager {
  jpeg_error_mgr pub;
  jmp_buf recovery;
  int32_t warnings;  // times the file ended before its data did (the library pads with grey)
};

[[noreturn]] void jpeg_error_longjmp(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->recovery, 1);
}
void jpeg_quiet_output(j_common_ptr) {}
// The recovery point's value when the data ended before the picture did.
constexpr int kEndedEarly = 2;

void jpeg_count_warning(j_common_ptr cinfo, int level) {
  // The file ended before its data did: the library would go on padding with grey for every row left,
  // so decoding stops here. Other warnings (stray bytes between markers and the like) are common in
  // files from cameras and do not stop a load.
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) {
    auto err = reinterpret_cast<ErrorManager*>(cinfo->err);
    ++err->warnings;
    std::longjmp(err->recovery, kEndedEarly);
  }
}

void setup_errors(ErrorManager* err) {
  jpeg_std_error(&err->pub);
  err->pub.error_exit = jpeg_error_longjmp;
  err->pub.output_message = jpeg_quiet_output;
  err->pub.emit_message = jpeg_count_warning;
  err->warnings = 0;
}

struct WriteJob {
  jpeg_compress_struct cinfo;
  ErrorManager err;
  SafeWrite out;
  uint8_t* row;
  int32_t created;
};

void release_write_job(WriteJob* job) {
  if (job->created) jpeg_destroy_compress(&job->cinfo);
  safe_write_abort(&job->out);
  host().free_block(job->row);
  host().free_block(job);
}

struct ReadJob {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  FILE* file;
  int32_t created;
  ImageBuffer* image;  // read_jpeg_image's result while it is being filled
  RowTable table;      // row pointers into the image
};

void release_read_job(ReadJob* job) {
  if (job->created) jpeg_destroy_decompress(&job->cinfo);
  if (job->file) std::fclose(job->file);
  host().free_block(job->table);
  image_free(job->image);
  host().free_block(job);
}

// The body of run_read, below its recovery point: a fatal error of the library leaves this frame.
int32_t read_body(ReadJob* job, const char* path, int32_t make_image, int32_t max_width, int32_t max_height,
                  RowTable rows) {
  jpeg_create_decompress(&job->cinfo);
  job->created = 1;
  job->file = open_file(path, "rb");
  if (!job->file) return 0;
  jpeg_stdio_src(&job->cinfo, job->file);
  jpeg_read_header(&job->cinfo, TRUE);
  jpeg_decompress_struct& c = job->cinfo;
  if (static_cast<int64_t>(c.image_width) * static_cast<int64_t>(c.image_height) > kJpegMaxPixels) return 0;
  // The library's own buffers (whole-picture coefficients of progressive files) are kept to what a
  // picture of the largest size needs; beyond that it fails instead of taking more.
  c.mem->max_memory_to_use = kJpegMaxLibraryBytes;
  int32_t cmyk = 0;
  if (c.jpeg_color_space == JCS_GRAYSCALE) {
    c.out_color_space = JCS_GRAYSCALE;
  } else if (c.jpeg_color_space == JCS_CMYK || c.jpeg_color_space == JCS_YCCK) {
    c.out_color_space = JCS_CMYK;
    cmyk = 1;
  } else {
    c.out_color_space = JCS_RGB;
  }
  jpeg_start_decompress(&c);
  const int32_t components = c.output_components;
  if ((cmyk && components != 4) || (!cmyk && components != 1 && components != 3)) return 0;
  const int32_t width = static_cast<int32_t>(c.output_width);
  const int32_t height = static_cast<int32_t>(c.output_height);
  jpeg_last_width = width;
  jpeg_last_height = height;
  jpeg_last_bits = 24;
  if (make_image) {
    job->image = image_alloc(width, height);
    if (!job->image) return 0;
    job->table = static_cast<RowTable>(host().alloc_zeroed((static_cast<size_t>(height) + 1) * sizeof(void*)));
    if (!job->table) return 0;
    for (int32_t y = 0; y < height; ++y) job->table[y] = job->image->pixels + static_cast<size_t>(y) * width;
    rows = job->table;
    max_width = width;
    max_height = height;
  }
  JSAMPARRAY line = (*c.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&c), JPOOL_IMAGE,
                                           static_cast<JDIMENSION>(width * components), 1);
  const int32_t columns = width < max_width ? width : max_width;
  while (c.output_scanline < c.output_height) {
    const int32_t y = static_cast<int32_t>(c.output_scanline);
    if (jpeg_read_scanlines(&c, line, 1) != 1) break;
    if (y >= max_height || columns <= 0) continue;
    auto out = static_cast<uint32_t*>(rows[y]);
    if (cmyk) unpack_cmyk_row(line[0], out, columns, c.saw_Adobe_marker ? 1 : 0);
    else if (components == 3) unpack_rgb_row(line[0], out, columns);
    else unpack_grey_row(line[0], out, columns);
  }
  jpeg_finish_decompress(&c);
  return 1;
}

// Reads the job's picture; make_image: allocate job->image of the picture's size and read into it,
// otherwise read into rows clipped to max_width by max_height. 1 done, 0 failed; when the data end
// early (warnings counted) 1 if an image of the picture's size was made, with the rows decoded so far.
int32_t run_read(ReadJob* job, const char* path, int32_t make_image, int32_t max_width, int32_t max_height,
                 RowTable rows) {
  const int jumped = setjmp(job->err.recovery);
  if (jumped == kEndedEarly) return job->image ? 1 : 0;
  if (jumped) return 0;
  return read_body(job, path, make_image, max_width, max_height, rows);
}

ReadJob* new_read_job() {
  auto job = static_cast<ReadJob*>(host().alloc_zeroed(sizeof(ReadJob)));
  if (!job) return nullptr;
  setup_errors(&job->err);
  job->cinfo.err = &job->err.pub;
  return job;
}

// The file ended before its picture did.
bool damaged(const ReadJob* job) { return job->err.warnings > 0; }
}  // namespace

int32_t write_jpeg_rows(const char* path, int32_t quality, int32_t width, int32_t height, RowTable rows) {
  if (!path || !rows || width <= 0 || height <= 0 || width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION)
    return 0;
  auto job = static_cast<WriteJob*>(host().alloc_zeroed(sizeof(WriteJob)));
  if (!job) return 0;
  job->row = static_cast<uint8_t*>(host().alloc_zeroed(static_cast<size_t>(width) * 3));
  if (!job->row) {
    host().free_block(job);
    return 0;
  }
  setup_errors(&job->err);
  job->cinfo.err = &job->err.pub;
  if (setjmp(job->err.recovery)) {
    release_write_job(job);
    return 0;
  }
  jpeg_create_compress(&job->cinfo);
  job->created = 1;
  if (!safe_write_open(&job->out, path)) {
    release_write_job(job);
    return 0;
  }
  jpeg_compress_struct& c = job->cinfo;
  jpeg_stdio_dest(&c, job->out.file);
  c.image_width = static_cast<JDIMENSION>(width);
  c.image_height = static_cast<JDIMENSION>(height);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, quality, TRUE);
  jpeg_start_compress(&c, TRUE);
  JSAMPROW line[1] = {job->row};
  while (c.next_scanline < c.image_height) {
    pack_rgb_row(static_cast<const uint32_t*>(rows[c.next_scanline]), job->row, width);
    jpeg_write_scanlines(&c, line, 1);
  }
  jpeg_finish_compress(&c);
  const int32_t ok = safe_write_commit(&job->out);
  release_write_job(job);
  return ok;
}

int32_t read_jpeg_rows(const char* path, int32_t max_width, int32_t max_height, RowTable rows) {
  if (!path || (!rows && max_width > 0 && max_height > 0)) return 0;
  ReadJob* job = new_read_job();
  if (!job) return 0;
  int32_t ok = run_read(job, path, 0, max_width, max_height, rows);
  if (ok && damaged(job)) ok = 0;
  release_read_job(job);
  return ok;
}

ImageBuffer* read_jpeg_image(const char* path) {
  if (!path) return nullptr;
  ReadJob* job = new_read_job();
  if (!job) return nullptr;
  ImageBuffer* image = nullptr;
  if (run_read(job, path, 1, 0, 0, nullptr)) {
    image = job->image;
    job->image = nullptr;
  }
  release_read_job(job);
  return image;
}
