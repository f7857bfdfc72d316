// Movie writer on FFmpeg: codec question, new or continued AVI/MPEG files through a temporary file, frame encoding.
#include "engine/files/movie_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/files/file_open.h"
#include "engine/files/file_utils.h"
#include "engine/core/settings.h"
#include "engine/ui/requesters.h"
#include "engine/raster/frame_buffers.h"

MovieCodecOptions movie_codec_options;
int32_t movie_ask_codec = 1;

namespace {

constexpr int32_t kDefaultQuality = 7500;
constexpr int32_t kMaxQuality = 10000;
constexpr int32_t kGopSize = 12;

struct MovieWriterState {
  AVFormatContext* out = nullptr;
  AVStream* stream = nullptr;
  AVCodecContext* encoder = nullptr;
  SwsContext* scaler = nullptr;
  AVFrame* picture = nullptr;
  AVPacket* packet = nullptr;
  uint8_t* rows = nullptr;   // one frame as blue, green, red rows, top row first
  int32_t row_bytes = 0;
  int32_t width = 0, height = 0;
  int32_t frame_count = 0;   // frames already in the movie when it was opened
  int64_t next_pts = 0;      // encoder time of the first new frame
  int64_t last_pts = -1;
  int32_t written = 0;       // frames written since the open
  int32_t key_frame = 0;     // the next frame is written as a key frame
  int32_t header_written = 0;
  std::string target;        // the movie as resolved on this system
  std::string temp;          // the temporary file the movie is written to
  std::string path;          // the movie as named by the caller
  std::string codec;         // the encoder in use
  int32_t rate = 0;          // frames per second of a new movie
};

MovieWriterState state;
int32_t existing_width = 0, existing_height = 0;

struct CodecRow {
  const char* container;
  const char* name;
  const char* label;
  int32_t lossless;
};
constexpr CodecRow kCodecs[] = {
    {"avi", "mjpeg", "Motion JPEG", 0},
    {"avi", "mpeg4", "MPEG-4 Part 2", 0},
    {"avi", "ffv1", "FFV1 (lossless)", 1},
    {"mpeg", "mpeg1video", "MPEG-1", 0},
    {"mpeg", "mpeg2video", "MPEG-2", 0},
};

bool ends_with_ci(const char* text, const char* tail) {
  const size_t n = std::strlen(text), m = std::strlen(tail);
  if (m > n) return false;
  for (size_t i = 0; i < m; ++i) {
    if (std::tolower(static_cast<unsigned char>(text[n - m + i])) != std::tolower(static_cast<unsigned char>(tail[i])))
      return false;
  }
  return true;
}

char* last_codec_of(const char* container) {
  return std::strcmp(container, "mpeg") == 0 ? movie_codec_options.mpeg_codec : movie_codec_options.avi_codec;
}

bool is_lossless(const char* name) {
  for (const CodecRow& row : kCodecs) {
    if (std::strcmp(row.name, name) == 0) return row.lossless != 0;
  }
  return false;
}

const char* label_of(const char* name) {
  for (const CodecRow& row : kCodecs) {
    if (std::strcmp(row.name, name) == 0) return row.label;
  }
  return name;
}

// The codec question: the offered encoders with the last choice preselected, then the quality.
// Only_codec limits the list to one encoder (a continued movie keeps its codec). 1 chosen, -1 cancelled
// or nothing to offer.
int32_t choose_codec(const char* container, const char* path, const char* only_codec, std::string* chosen) {
  MovieCodecChoice list[8];
  int32_t count = 0;
  if (only_codec) {
    list[count++] = {only_codec, label_of(only_codec)};
  } else {
    count = movie_codecs_for(container, list, 8);
  }
  if (count == 0) return -1;
  int32_t preselected = 0;
  const char* last = last_codec_of(container);
  for (int32_t i = 0; i < count; ++i) {
    if (std::strcmp(list[i].name, last) == 0) preselected = i;
  }
  int32_t pick = preselected;
  int32_t quality = movie_codec_options.quality;
  if (movie_ask_codec) {
    std::string prompt = std::string("Video codec for \"") + (path ? path : "") + "\":";
    for (int32_t i = 0; i < count; ++i) prompt += "\n" + std::to_string(i + 1) + " " + list[i].label;
    prompt += "\nNumber of the codec:";
    for (;;) {
      int32_t value = preselected + 1;
      if (value_requester(prompt.c_str(), "  OK  ", "Cancel", &value) != 1) return -1;
      if (value >= 1 && value <= count) {
        pick = value - 1;
        break;
      }
      requester("There is no codec of that number.", "  OK  ", nullptr);
    }
    if (!is_lossless(list[pick].name)) {
      if (value_requester("Quality (0 to 10000):", "  OK  ", "Cancel", &quality) != 1) return -1;
      if (quality < 0) quality = 0;
      if (quality > kMaxQuality) quality = kMaxQuality;
    }
  }
  std::snprintf(last_codec_of(container), sizeof movie_codec_options.avi_codec, "%s", list[pick].name);
  movie_codec_options.quality = quality;
  *chosen = list[pick].name;
  return 1;
}

// Releases everything; the temporary file is removed unless keep_temp is set.
void release(bool keep_temp) {
  if (state.out) {
    if (state.out->pb) avio_closep(&state.out->pb);
    avformat_free_context(state.out);
  }
  if (!keep_temp && !state.temp.empty()) std::remove(state.temp.c_str());
  sws_freeContext(state.scaler);
  av_frame_free(&state.picture);
  av_packet_free(&state.packet);
  avcodec_free_context(&state.encoder);
  av_free(state.rows);
  state = MovieWriterState{};
}

int32_t fail(int32_t code) {
  release(false);
  return code;
}

// Picture size the encoder accepts for an image: sides rounded up to its chroma subsampling.
void coded_size(AVPixelFormat format, int32_t width, int32_t height, int32_t* w, int32_t* h) {
  const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(format);
  const int32_t sx = d ? 1 << d->log2_chroma_w : 1, sy = d ? 1 << d->log2_chroma_h : 1;
  *w = (width + sx - 1) / sx * sx;
  *h = (height + sy - 1) / sy * sy;
}

AVPixelFormat pixel_format_for(const AVCodec* codec, AVPixelFormat wanted) {
  if (!codec->pix_fmts) return AV_PIX_FMT_YUV420P;
  if (wanted != AV_PIX_FMT_NONE) {
    for (const AVPixelFormat* f = codec->pix_fmts; *f != AV_PIX_FMT_NONE; ++f) {
      if (*f == wanted) return wanted;
    }
  }
  return avcodec_find_best_pix_fmt_of_list(codec->pix_fmts, AV_PIX_FMT_BGR24, 0, nullptr);
}

// Opens the encoder for a picture of width by height at rate frames per time_base.den/num.
int32_t open_encoder(const AVCodec* codec, AVPixelFormat format, int32_t width, int32_t height, AVRational rate) {
  state.encoder = avcodec_alloc_context3(codec);
  if (!state.encoder) return kMovieNoEncoder;
  AVCodecContext* e = state.encoder;
  e->pix_fmt = format;
  e->width = width;
  e->height = height;
  e->framerate = rate;
  e->time_base = av_inv_q(rate);
  e->gop_size = kGopSize;
  e->max_b_frames = 0;
  e->sample_aspect_ratio = AVRational{1, 1};
  // Frame rates such as 15 are outside the MPEG-1 and MPEG-2 tables but are understood by players.
  e->strict_std_compliance = FF_COMPLIANCE_UNOFFICIAL;
  if (!is_lossless(codec->name)) {
    // Quality 10000 gives the finest quantiser (2), quality 0 the coarsest (31).
    const int32_t q = 31 - movie_codec_options.quality * 29 / kMaxQuality;
    e->flags |= AV_CODEC_FLAG_QSCALE;
    e->global_quality = FF_QP2LAMBDA * q;
    e->qmin = e->qmax = q;
  }
  if (state.out->oformat->flags & AVFMT_GLOBALHEADER) e->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if (avcodec_open2(e, codec, nullptr) < 0) return kMovieCodecRefused;
  return 1;
}

// Frame buffers and the conversion from the image's rows to the encoder's picture.
int32_t open_frames(int32_t width, int32_t height) {
  state.width = width;
  state.height = height;
  state.row_bytes = movie_row_bytes(width);
  state.rows = static_cast<uint8_t*>(av_mallocz(static_cast<size_t>(state.row_bytes) * static_cast<size_t>(height)));
  state.picture = av_frame_alloc();
  state.packet = av_packet_alloc();
  if (!state.rows || !state.picture || !state.packet) return kMovieNoMemory;
  state.picture->format = state.encoder->pix_fmt;
  state.picture->width = state.encoder->width;
  state.picture->height = state.encoder->height;
  if (av_frame_get_buffer(state.picture, 0) < 0) return kMovieNoMemory;
  state.scaler = sws_getContext(width, height, AV_PIX_FMT_BGR24, state.encoder->width, state.encoder->height,
                                state.encoder->pix_fmt, SWS_BICUBIC, nullptr, nullptr, nullptr);
  if (!state.scaler) return kMovieNoMemory;
  return 1;
}

// Sends a picture (null: the end) and writes every packet the encoder gives back. 1, or 0 on an error.
int32_t encode(AVFrame* picture) {
  if (avcodec_send_frame(state.encoder, picture) < 0) return 0;
  for (;;) {
    const int r = avcodec_receive_packet(state.encoder, state.packet);
    if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return 1;
    if (r < 0) return 0;
    av_packet_rescale_ts(state.packet, state.encoder->time_base, state.stream->time_base);
    state.packet->stream_index = state.stream->index;
    if (av_interleaved_write_frame(state.out, state.packet) < 0) return 0;
  }
}

int32_t make_output(const char* container) {
  if (avformat_alloc_output_context2(&state.out, nullptr, container, state.temp.c_str()) < 0 || !state.out) {
    return kMovieNoStream;
  }
  state.stream = avformat_new_stream(state.out, nullptr);
  return state.stream ? 1 : kMovieNoStream;
}

int32_t start_output() {
  if (avio_open(&state.out->pb, state.temp.c_str(), AVIO_FLAG_WRITE) < 0) return kMovieCannotOpen;
  if (avformat_write_header(state.out, nullptr) < 0) return kMovieCodecRefused;
  state.header_written = 1;
  return 1;
}

bool set_paths(const char* path) {
  char resolved[4096];
  if (!resolve_path(path, resolved, sizeof resolved)) return false;
  state.target = resolved;
  state.temp = state.target + ".partial";
  return true;
}

// A new movie; the codec is asked for unless one is given.
int32_t open_new(const char* path, int32_t width, int32_t height, int32_t frames_per_second,
                 const char* given_codec = nullptr) {
  const char* container = movie_container_for(path);
  std::string codec_name;
  if (given_codec) {
    codec_name = given_codec;
  } else if (choose_codec(container, path, nullptr, &codec_name) != 1) {
    return kMovieCancelled;
  }
  const AVCodec* codec = avcodec_find_encoder_by_name(codec_name.c_str());
  if (!codec) return kMovieNoEncoder;
  make_path_dirs(path);
  if (!set_paths(path)) return kMovieCannotOpen;
  int32_t r = make_output(container);
  if (r != 1) return fail(r);
  const AVPixelFormat format = pixel_format_for(codec, AV_PIX_FMT_NONE);
  int32_t cw, ch;
  coded_size(format, width, height, &cw, &ch);
  if (frames_per_second < 1) frames_per_second = 1;
  if ((r = open_encoder(codec, format, cw, ch, AVRational{frames_per_second, 1})) != 1) return fail(r);
  if (avcodec_parameters_from_context(state.stream->codecpar, state.encoder) < 0) return fail(kMovieNoStream);
  // Quality-driven encoders state no bit rate; the MPEG system stream sizes its buffers from one, so
  // it is given a generous estimate (a compressed frame never reaches a third of the raw one).
  if (state.stream->codecpar->bit_rate <= 0) {
    state.stream->codecpar->bit_rate = static_cast<int64_t>(cw) * ch * 8 * frames_per_second;
  }
  state.stream->time_base = state.encoder->time_base;
  state.stream->avg_frame_rate = state.encoder->framerate;
  if ((r = open_frames(width, height)) != 1) return fail(r);
  if ((r = start_output()) != 1) return fail(r);
  state.frame_count = 0;
  state.next_pts = 0;
  state.key_frame = 0;
  state.path = path;
  state.codec = codec_name;
  state.rate = frames_per_second;
  return kMovieOpened;
}

// The rate of an existing stream as a fraction: its average rate, else its base rate, else its time base.
AVRational stream_rate(const AVStream* s) {
  if (s->avg_frame_rate.num > 0 && s->avg_frame_rate.den > 0) return s->avg_frame_rate;
  if (s->r_frame_rate.num > 0 && s->r_frame_rate.den > 0) return s->r_frame_rate;
  if (s->time_base.num > 0 && s->time_base.den > 0) return av_inv_q(s->time_base);
  return AVRational{15, 1};
}

int32_t open_existing(const char* path, int32_t width, int32_t height) {
  char resolved[4096];
  if (!resolve_path(path, resolved, sizeof resolved)) return kMovieCannotOpen;
  AVFormatContext* in = nullptr;
  if (avformat_open_input(&in, resolved, nullptr, nullptr) < 0) return kMovieCannotOpen;
  struct InputCloser {
    AVFormatContext** in;
    ~InputCloser() { avformat_close_input(in); }
  } closer{&in};
  if (avformat_find_stream_info(in, nullptr) < 0) return kMovieCannotOpen;
  const int index = av_find_best_stream(in, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (index < 0) return kMovieNoVideo;
  AVStream* source = in->streams[index];
  const AVCodecParameters* par = source->codecpar;
  const AVRational rate = stream_rate(source);
  animation_state.frame_rate = movie_rate_from(rate.num, rate.den);
  existing_width = par->width;
  existing_height = par->height;
  const AVCodec* codec = avcodec_find_encoder(par->codec_id);
  const AVPixelFormat format = pixel_format_for(codec ? codec : avcodec_find_encoder(AV_CODEC_ID_MJPEG),
                                                static_cast<AVPixelFormat>(par->format));
  int32_t cw, ch;
  coded_size(format, width, height, &cw, &ch);
  const bool same_size = (par->width == width || par->width == cw) && (par->height == height || par->height == ch);
  if (!same_size) return kMovieWrongSize;
  const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(par->format));
  const bool palettised = (d && (d->flags & AV_PIX_FMT_FLAG_PAL)) ||
                          (par->bits_per_coded_sample > 0 && par->bits_per_coded_sample <= 8);
  if (palettised) return kMoviePalettised;
  if (!codec) return kMovieNoEncoder;
  const char* container = in->iformat && std::strstr(in->iformat->name, "mpeg") ? "mpeg" : "avi";
  std::string codec_name;
  if (choose_codec(container, path, codec->name, &codec_name) != 1) return kMovieCancelled;
  if (!set_paths(path)) return kMovieCannotOpen;
  int32_t r = make_output(container);
  if (r != 1) return fail(r);
  if (avcodec_parameters_copy(state.stream->codecpar, par) < 0) return fail(kMovieNoStream);
  state.stream->codecpar->codec_tag = 0;
  state.stream->time_base = av_inv_q(rate);
  state.stream->avg_frame_rate = rate;
  if ((r = open_encoder(codec, format, par->width, par->height, rate)) != 1) return fail(r);
  if ((r = open_frames(width, height)) != 1) return fail(r);
  if ((r = start_output()) != 1) return fail(r);

  // Every packet already there is copied; the new frames follow the last one.
  AVPacket* packet = av_packet_alloc();
  if (!packet) return fail(kMovieNoMemory);
  int32_t copied = 0;
  int64_t last = -1;
  while (av_read_frame(in, packet) >= 0) {
    if (packet->stream_index == index) {
      const int64_t ts = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
      if (ts != AV_NOPTS_VALUE) {
        const int64_t at = av_rescale_q(ts, source->time_base, state.encoder->time_base);
        if (at > last) last = at;
      } else {
        ++last;
      }
      av_packet_rescale_ts(packet, source->time_base, state.stream->time_base);
      packet->stream_index = state.stream->index;
      packet->pos = -1;
      if (av_interleaved_write_frame(state.out, packet) < 0) {
        av_packet_free(&packet);
        return fail(kMovieCannotOpen);
      }
      ++copied;
    }
    av_packet_unref(packet);
  }
  av_packet_free(&packet);
  state.frame_count = copied;
  state.next_pts = last + 1;
  state.last_pts = last;
  state.key_frame = 1;
  return kMovieOpened;
}

}  // namespace

void reset_movie_codec_options() {
  std::snprintf(movie_codec_options.avi_codec, sizeof movie_codec_options.avi_codec, "%s", "mjpeg");
  std::snprintf(movie_codec_options.mpeg_codec, sizeof movie_codec_options.mpeg_codec, "%s", "mpeg1video");
  movie_codec_options.quality = kDefaultQuality;
}

namespace {
struct OptionsInit {
  OptionsInit() {
    reset_movie_codec_options();
    // The writer reports its own failures through its results and the caller's messages; the
    // libraries' notes (such as the MPEG system stream's buffer model) would only clutter the output.
    av_log_set_level(AV_LOG_FATAL);
  }
} options_init;
}  // namespace

int32_t movie_row_bytes(int32_t width) { return (width * 3 + 3) / 4 * 4; }

int32_t movie_rate_from(int32_t rate, int32_t scale) {
  if (scale <= 0) scale = 1;
  if (rate <= 0) return 1;
  const int64_t r = (static_cast<int64_t>(rate) * 2 + scale) / (static_cast<int64_t>(scale) * 2);
  if (r < 1) return 1;
  return r > 1000 ? 1000 : static_cast<int32_t>(r);
}

const char* movie_container_for(const char* path) {
  if (path && (ends_with_ci(path, ".mpg") || ends_with_ci(path, ".mpeg"))) return "mpeg";
  return "avi";
}

int32_t movie_codecs_for(const char* container, MovieCodecChoice* out, int32_t max) {
  const AVOutputFormat* format = av_guess_format(container, nullptr, nullptr);
  int32_t n = 0;
  for (const CodecRow& row : kCodecs) {
    if (n >= max || std::strcmp(row.container, container) != 0) continue;
    const AVCodec* codec = avcodec_find_encoder_by_name(row.name);
    if (!codec) continue;
    // Only a container that knows it cannot hold the codec rules it out; the MPEG system stream
    // does not say, and carries MPEG-1 and MPEG-2 video alike.
    if (format && avformat_query_codec(format, codec->id, FF_COMPLIANCE_NORMAL) == 0) continue;
    out[n++] = {row.name, row.label};
  }
  return n;
}

int32_t avi_open(const char* path, int32_t width, int32_t height, int32_t mode, int32_t frames_per_second) {
  avi_close();
  existing_width = existing_height = 0;
  if (!path || !path[0] || width <= 0 || height <= 0) return kMovieCannotOpen;
  if (mode == kMovieCreate) return open_new(path, width, height, frames_per_second);
  return open_existing(path, width, height);
}

int32_t avi_write_frame(int32_t frame) {
  if (!state.header_written || !state.encoder) return 0;
  // A script may set its image size after the movie was opened: a new movie that has no frame yet
  // starts again at the size of its first frame, with the codec already chosen.
  if (state.frame_count == 0 && state.written == 0 && !state.path.empty() &&
      (image_width != state.width || image_height != state.height) && image_width > 0 && image_height > 0) {
    const std::string path = state.path, codec = state.codec;
    const int32_t rate = state.rate;
    release(false);
    if (open_new(path.c_str(), image_width, image_height, rate, codec.c_str()) != kMovieOpened) return 0;
  }
  if (!vidmem24.rows || image_width != state.width || image_height != state.height || vidmem24.width < state.width ||
      vidmem24.height < state.height) {
    return 0;
  }
  for (int32_t y = 0; y < state.height; ++y) {
    const uint32_t* src = vidmem24_row(y);
    uint8_t* dst = state.rows + static_cast<size_t>(y) * static_cast<size_t>(state.row_bytes);
    for (int32_t x = 0; x < state.width; ++x) {
      dst[x * 3] = static_cast<uint8_t>(src[x]);
      dst[x * 3 + 1] = static_cast<uint8_t>(src[x] >> 8);
      dst[x * 3 + 2] = static_cast<uint8_t>(src[x] >> 16);
    }
  }
  if (av_frame_make_writable(state.picture) < 0) return 0;
  const uint8_t* planes[1] = {state.rows};
  const int strides[1] = {state.row_bytes};
  sws_scale(state.scaler, planes, strides, 0, state.height, state.picture->data, state.picture->linesize);
  int64_t pts = state.next_pts + (static_cast<int64_t>(frame) - state.frame_count);
  if (pts <= state.last_pts) pts = state.last_pts + 1;
  state.picture->pts = pts;
  state.picture->quality = state.encoder->global_quality;
  state.picture->pict_type = state.key_frame ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
  state.key_frame = 0;
  if (encode(state.picture) != 1) return 0;
  state.last_pts = pts;
  ++state.written;
  return 1;
}

void avi_close() {
  if (!state.out && !state.encoder) {
    release(false);
    return;
  }
  bool keep_temp = false;
  if (state.header_written && state.written > 0) {
    encode(nullptr);
    av_write_trailer(state.out);
    avio_closep(&state.out->pb);
    // What was written plays: the movie replaces the old file; should the rename fail, the
    // temporary file stays so that nothing is lost.
    if (std::rename(state.temp.c_str(), state.target.c_str()) == 0) state.temp.clear();
    keep_temp = true;
  }
  release(keep_temp);
}

int32_t avi_frame_count() { return state.frame_count; }
int32_t avi_width() { return existing_width; }
int32_t avi_height() { return existing_height; }
int32_t avi_is_open() { return state.header_written; }
