// The walk's grid lines set up on worker threads and rasterised in walk order, band by band.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

// Draws lines 0..line_count-1 of a walk, after the prologue (the background), which runs first on the calling
// thread and is recorded and rasterised like a line. `threads` threads, the calling one included, each take
// whatever is ready: a line to set up, or a band's share of the next line in its order. draw(k, stop) sets up line
// k with the thread's random streams and haze term set as the calling thread had them at the start; everything
// it rasterises is recorded. The recordings are rasterised in line order band by band, each band writing its own
// stripe of image rows, one thread at a time, so the frame is the one a single thread draws. Band 0 is always
// rasterised on the calling thread: before(k) runs there before its share of line k (progress, stop polling)
// and returns -1 to stop. After a complete walk the calling thread's random streams and haze term are those the
// last line left. Returns 1, or -1 when stopped (or when a worker failed).
int32_t walk_lines_on_workers(int32_t line_count, int32_t threads, int32_t bands,
                              const std::function<int32_t()>& prologue,
                              const std::function<void(int32_t k, const std::atomic<bool>& stop)>& draw,
                              const std::function<int32_t(int32_t k)>& before);
