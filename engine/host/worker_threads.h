// Worker threads: how many the frame may use, a group of them running beside the caller, and row ranges split
// over them.
#pragma once

#include <cstdint>
#include <functional>

// The number of workers a frame uses: the variable DALVENOR_RENDER_WORKERS when it holds a number from 1 to 64,
// otherwise the processor's hardware threads (at most 64, at least 1).
int32_t render_worker_count();

// Sets the worker count for this process (tests compare one worker with several); 0 goes back to the default.
void set_render_worker_count(int32_t count);

// A group of threads running body(index) for index 0..count-1 beside the calling thread; the destructor waits for
// all of them. A thread that cannot be started runs its body on the calling thread at the end instead, so every
// index runs exactly once.
class WorkerGroup {
 public:
  WorkerGroup(int32_t count, std::function<void(int32_t)> body);
  ~WorkerGroup();
  WorkerGroup(const WorkerGroup&) = delete;
  WorkerGroup& operator=(const WorkerGroup&) = delete;
  // Waits for every worker now.
  void join();

 private:
  struct Impl;
  Impl* impl_;
};

// Splits rows 0..count-1 into contiguous ranges, one per worker, and runs body(first, end) on each, the calling
// thread taking the first range; returns when all are done. One worker, or few rows, runs in the caller alone.
void parallel_rows(int32_t count, const std::function<void(int32_t first, int32_t end)>& body);
