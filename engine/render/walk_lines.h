// The walk's grid lines set up on worker threads and rasterised in walk order by band threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

// Draws lines 0..line_count-1 of a walk, after the prologue (the background), which runs first on the calling
// thread and is recorded and rasterised like a line. draw(k, stop) runs on one of `workers` set-up threads with the thread's
// random streams and haze term set as the calling thread had them at the start; everything it rasterises is
// recorded. The recordings are rasterised in line order by `bands` threads (the calling thread is band 0), each
// writing its own stripes of image rows, so the frame is the one a single thread draws. before(k) runs on the
// calling thread before line k is rasterised (progress, stop polling) and returns -1 to stop. After a complete
// walk the calling thread's random streams and haze term are those the last line left. Returns 1, or -1 when
// stopped (or when a worker failed).
int32_t walk_lines_on_workers(int32_t line_count, int32_t workers, int32_t bands,
                              const std::function<int32_t()>& prologue,
                              const std::function<void(int32_t k, const std::atomic<bool>& stop)>& draw,
                              const std::function<int32_t(int32_t k)>& before);
