// The path block of session landscape files: the node table and path settings as 40080 fixed bytes.
#pragma once

#include <cstdint>
#include <cstdio>

constexpr int32_t kPathBlockHeaderSize = 80;
constexpr int32_t kPathBlockNodesSize = 40000;
constexpr int32_t kPathBlockSize = kPathBlockHeaderSize + kPathBlockNodesSize;

// The 80 header bytes from the current state, little-endian, in the block's field order.
void encode_path_block_header(uint8_t out[kPathBlockHeaderSize]);
// The 40000 node bytes: the whole node table as it lies in memory, used slots or not.
void encode_path_block_nodes(uint8_t out[kPathBlockNodesSize]);
// Applies a whole block (header and node table) and regenerates the frames without drawing.
// A node count outside 0 .. 1000 or a frame target outside 0 .. 10000 refuses the block: nothing
// changes and the result is 0; else 1.
int32_t apply_path_block(const uint8_t* block);

// Writes the block at the descriptor's position; 1 when all 40080 bytes were written, else 0.
int32_t write_path_block(int descriptor);
// Reads a block from the stream and applies it (apply_path_block); 0 on a short read or a refused
// block, and then nothing has changed. The caller redraws map and panels afterwards.
int32_t read_path_block(FILE* stream);
