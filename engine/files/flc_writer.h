// FLC animations: 256-colour frames, each stored whole as a run-length picture, appended one by one.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int32_t kFlcHeaderSize = 128;
constexpr uint16_t kFlcMagic = 0xAF12;
constexpr uint16_t kFlcFrameMagic = 0xF1FA;
constexpr int32_t kFlcColorChunkSize = 778;

// Milliseconds per frame for a frame rate: the integer part of 1000 / rate + 0.5 (rates below 1 count as 1).
uint32_t flc_speed_for_rate(int32_t frames_per_second);

// Packet measurements in row[p..]: bytes equal to row[p] (at most m), and the literal length up to the
// next place k (1 <= k < m - 2) where three equal bytes begin, or m when there is none.
int32_t flc_run_length(const uint8_t* row, int32_t p, int32_t m);
int32_t flc_literal_length(const uint8_t* row, int32_t p, int32_t m);
// The next packet from position p with r bytes left: a positive run length or a negative literal length.
int32_t flc_brun_packet(const uint8_t* row, int32_t p, int32_t r);
// Codes one row (packet count byte, then the packets) into out; returns the bytes written.
size_t flc_encode_brun_row(const uint8_t* row, int32_t width, uint8_t* out);
// The largest coded size of one row of the given width.
size_t flc_max_row_size(int32_t width);

// The colour chunk from the display palette (kFlcColorChunkSize bytes); returns its size.
size_t flc_color_chunk(uint8_t* out);
// The pixel chunk of the whole 8-bit image (vidmem8), padded to an even size; returns its size.
size_t flc_brun_chunk(uint8_t* out);
// A whole frame (16-byte frame header and its chunks): the first with the colour chunk, later ones
// without. Return the frame's size.
size_t flc_first_frame(uint8_t* out);
size_t flc_next_frame(uint8_t* out);
// Bytes a frame of the current image can take at most.
size_t flc_max_frame_size();

// Appends the current 8-bit frame to the FLC file at path, creating it with header and palette when it
// does not exist. An existing file must carry the FLC magic, the image's width and height and a
// consistent size, else nothing is written. 1 appended; 0 on any failure, which leaves the file's
// frames as they were.
int32_t flc_append_frame(const char* path, int32_t frames_per_second);
// Reads the 128-byte header; 1 when all 128 bytes were read.
int32_t flc_read_header(const char* path, uint8_t* header);
