// Worker threads on the standard library's threads; the count comes from the environment or the processor.
#include "engine/host/worker_threads.h"

#include "engine/host/system.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

std::atomic<int32_t> worker_override{0};

int32_t default_worker_count() {
  if (const char* v = system_environment("DALVENOR_RENDER_WORKERS")) {
    char* end = nullptr;
    const long n = std::strtol(v, &end, 10);
    if (end != v && *end == '\0' && n >= 1 && n <= 64) return static_cast<int32_t>(n);
  }
  const unsigned hw = std::thread::hardware_concurrency();
  return hw == 0 ? 1 : static_cast<int32_t>(std::min(hw, 64u));
}

}  // namespace

int32_t render_worker_count() {
  const int32_t o = worker_override.load();
  if (o > 0) return o;
  static const int32_t fallback = default_worker_count();
  return fallback;
}

void set_render_worker_count(int32_t count) { worker_override.store(std::clamp(count, 0, 64)); }

namespace {

// Threads are kept and reused: starting one costs far more than a frame's share of work on it, and each carries
// the converter's large per-thread tables. A parked thread waits for its next job; a group that needs more
// threads than are parked starts new ones. The pool lives until the process ends.
struct PooledThread {
  std::mutex m;
  std::condition_variable wake;
  std::function<void()> job;  // guarded by m
};

struct Pool {
  std::mutex m;
  std::vector<PooledThread*> parked;  // guarded by m
};

Pool& pool() {
  static Pool* p = new Pool;
  return *p;
}

void park(PooledThread* t) {
  std::lock_guard<std::mutex> lock(pool().m);
  pool().parked.push_back(t);
}

void pooled_thread_main(PooledThread* t) {
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock<std::mutex> lock(t->m);
      t->wake.wait(lock, [t] { return static_cast<bool>(t->job); });
      job = std::move(t->job);
      t->job = nullptr;
    }
    job();
    park(t);
  }
}

// Runs job on a parked thread or a new one; false when no thread could be started.
bool run_pooled(std::function<void()> job) {
  PooledThread* t = nullptr;
  {
    std::lock_guard<std::mutex> lock(pool().m);
    if (!pool().parked.empty()) {
      t = pool().parked.back();
      pool().parked.pop_back();
    }
  }
  if (t == nullptr) {
    auto* fresh = new PooledThread;
    try {
      std::thread(pooled_thread_main, fresh).detach();
    } catch (...) {
      delete fresh;
      return false;
    }
    t = fresh;
  }
  {
    std::lock_guard<std::mutex> lock(t->m);
    t->job = std::move(job);
  }
  t->wake.notify_one();
  return true;
}

}  // namespace

struct WorkerGroup::Impl {
  std::function<void(int32_t)> body;
  std::mutex m;
  std::condition_variable finished;
  int32_t running = 0;  // guarded by m
  std::vector<int32_t> not_started;
  bool joined = false;
};

WorkerGroup::WorkerGroup(int32_t count, std::function<void(int32_t)> body) : impl_(new Impl) {
  impl_->body = std::move(body);
  for (int32_t i = 0; i < count; ++i) {
    {
      std::lock_guard<std::mutex> lock(impl_->m);
      ++impl_->running;
    }
    Impl* impl = impl_;
    const bool started = run_pooled([impl, i] {
      impl->body(i);
      std::lock_guard<std::mutex> lock(impl->m);
      if (--impl->running == 0) impl->finished.notify_all();
    });
    if (!started) {
      std::lock_guard<std::mutex> lock(impl_->m);
      --impl_->running;
      impl_->not_started.push_back(i);
    }
  }
}

void WorkerGroup::join() {
  if (impl_->joined) return;
  impl_->joined = true;
  {
    std::unique_lock<std::mutex> lock(impl_->m);
    impl_->finished.wait(lock, [this] { return impl_->running == 0; });
  }
  for (int32_t i : impl_->not_started) impl_->body(i);
}

WorkerGroup::~WorkerGroup() {
  join();
  delete impl_;
}

void parallel_rows(int32_t count, const std::function<void(int32_t first, int32_t end)>& body) {
  if (count <= 0) return;
  // Below a few rows per worker the threads cost more than they save.
  const int32_t workers = std::min(render_worker_count(), std::max(count / 8, 1));
  if (workers <= 1) {
    body(0, count);
    return;
  }
  auto range = [count, workers](int32_t i, int32_t* first, int32_t* end) {
    *first = static_cast<int32_t>(static_cast<int64_t>(count) * i / workers);
    *end = static_cast<int32_t>(static_cast<int64_t>(count) * (i + 1) / workers);
  };
  WorkerGroup group(workers - 1, [&](int32_t i) {
    int32_t f, e;
    range(i + 1, &f, &e);
    body(f, e);
  });
  int32_t f, e;
  range(0, &f, &e);
  body(f, e);
  group.join();
}
