// AVI and MPEG movies of 24-bit frames, written through FFmpeg's libraries; one movie open at a time.
#pragma once

#include <cstdint>

constexpr int32_t kMovieCreate = 256;  // avi_open mode: a new movie; any other value continues one

// Results of avi_open.
enum MovieOpenResult : int32_t {
  kMovieOpened = 1,
  kMovieCancelled = -1,         // the codec question was cancelled
  kMovieOldService = -1000,     // kept for callers; the libraries are always recent enough
  kMovieCannotOpen = -1001,     // the file (or its temporary companion) cannot be opened or read
  kMovieNoStream = -1002,       // the video stream cannot be created
  kMovieNoVideo = -1003,        // an existing file has no video stream
  kMovieWrongSize = -1004,      // an existing stream's size differs from the image
  kMoviePalettised = -1005,     // an existing stream has 8 bits per pixel or fewer
  kMovieNoEncoder = -1006,      // the chosen encoder cannot be had
  kMovieCodecRefused = -1007,   // the encoder or the container refused the format
  kMovieNoMemory = -1008,       // no memory for the frame rows or the conversion
};

// The codec choice, kept for the whole run of the program: the last codec chosen for each container
// and one quality (0 to 10000).
struct MovieCodecOptions {
  char avi_codec[32];
  char mpeg_codec[32];
  int32_t quality;
};
extern MovieCodecOptions movie_codec_options;
// 1 (at start): avi_open asks for the codec and quality. 0: unattended, the preselected codec is taken.
extern int32_t movie_ask_codec;
void reset_movie_codec_options();

// Opens a movie for frames of width by height. mode kMovieCreate makes a new movie; any other mode
// continues the existing file, taking over its frame rate (into frame_rate) and frame count. The movie
// is written to a temporary file beside path and renamed over it by avi_close. Returns a MovieOpenResult;
// on failure everything opened is released and no file is left behind.
int32_t avi_open(const char* path, int32_t width, int32_t height, int32_t mode, int32_t frames_per_second);
// Writes the 24-bit frame buffer as frame number frame. 1 written; 0 when no movie is open or the
// libraries report an error.
int32_t avi_write_frame(int32_t frame);
// Finishes the movie (the frames written so far stay playable) and releases everything; harmless when
// nothing is open. A new movie that received no frame leaves no file.
void avi_close();
// Frames the movie had when it was opened (0 for a new one).
int32_t avi_frame_count();
// The existing stream's width and height as read by the last continuing open.
int32_t avi_width();
int32_t avi_height();
// 1 while a movie is open.
int32_t avi_is_open();

// Bytes of one frame row of the movie's 24-bit frame buffer: 3 per pixel, padded to a multiple of 4.
int32_t movie_row_bytes(int32_t width);
// The container for a file name: "avi" or "mpeg" by its extension (".MPG", ".MPEG" make MPEG; anything
// else AVI).
const char* movie_container_for(const char* path);
// Encoders the installed libraries offer for a container, as (name, label) pairs; returns the count.
struct MovieCodecChoice {
  const char* name;
  const char* label;
};
int32_t movie_codecs_for(const char* container, MovieCodecChoice* out, int32_t max);
// Frames per second of a stream's rate and scale, rounded to the nearest whole number (at least 1).
int32_t movie_rate_from(int32_t rate, int32_t scale);
