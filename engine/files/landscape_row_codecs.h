// The row codecs of the landscape files: 16-bit delta coding, byte run-length packets and byte swaps.
#pragma once

#include <cstddef>
#include <cstdint>

// Limits of one coded row: at most 32768 samples, at most 32768 packed bytes.
constexpr int32_t kRowMaxSamples = 32768;
constexpr int32_t kPackedRowMax = 32768;
// Worst-case sizes of a coded row of n samples (delta: 3 bytes a sample; packets: one header per 127 bytes).
constexpr size_t delta_packed_bound(size_t samples) { return samples * 3; }
constexpr size_t rle_packed_bound(size_t bytes) { return bytes + bytes / 127 + 1; }

// Delta-codes count samples (at least 1): the first high byte first, then differences of -127 to 127 as
// one signed byte, any other step as the escape 0x80 and the sample high byte first. Returns the bytes written.
int32_t delta_pack16(const int16_t* samples, uint8_t* out, int32_t count);
// Decodes byte_count bytes into at most max_samples samples. Returns the samples written, or -1 when the
// stream holds more samples than fit or ends inside a sample.
int32_t delta_unpack16(const uint8_t* in, int32_t byte_count, int16_t* out, int32_t max_samples);

// First position i < m - 3 where three equal bytes start, or m when none.
int32_t rle_find_run(const uint8_t* p, int32_t m);
// How many bytes from p[0] on equal p[0] (1 to m).
int32_t rle_run_length(const uint8_t* p, int32_t m);
// Packs count bytes into literal packets (header count - 1) and repeat packets (header 1 - count), at most
// 127 bytes a packet. Returns the bytes written.
int32_t rle_pack(const uint8_t* in, uint8_t* out, int32_t count);
// Unpacks byte_count bytes of packets into at most max_out bytes. Returns the bytes written, or -1 when the
// packets would write more than max_out bytes or a packet is cut short.
int32_t rle_unpack(const uint8_t* in, int32_t byte_count, uint8_t* out, int32_t max_out);

// Swaps the two bytes of each of count 16-bit words in place.
void swap16_array(void* buffer, int32_t count);
// Reverses the four bytes of each of count 32-bit words in place.
void swap32_array(void* buffer, int32_t count);
