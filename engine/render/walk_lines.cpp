// Walk lines on worker threads: each line's drawing goes onto a tape, which the band threads replay in line order.
// Set-up runs at most a window of lines ahead of the slowest band, and tapes are reused round the window.
#include "engine/render/walk_lines.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "engine/core/random.h"
#include "engine/core/settings.h"
#include "engine/host/worker_threads.h"
#include "engine/raster/dither.h"
#include "engine/raster/haze.h"
#include "engine/raster/polygon_tape.h"
#include "engine/raster/scan_convert.h"

namespace {

// The per-thread state a line starts from and leaves behind.
struct ThreadState {
  uint32_t random8, random32;
  float haze, distance;

  static ThreadState capture() { return {random8_state, random32_state, haze_factor, point_distance}; }
  void apply() const {
    random8_state = random8;
    random32_state = random32;
    haze_factor = haze;
    point_distance = distance;
  }
};

}  // namespace

int32_t walk_lines_on_workers(int32_t line_count, int32_t workers, int32_t bands,
                              const std::function<int32_t()>& prologue,
                              const std::function<void(int32_t k, const std::atomic<bool>& stop)>& draw,
                              const std::function<int32_t(int32_t k)>& before) {
  workers = std::max(workers, 1);
  bands = std::max(bands, 1);
  // The bands split the image rows so that each gets about the same share of the rasterising work the last frame
  // did per row (plus a little per row); any split gives the same picture.
  std::vector<int32_t> band_rows(static_cast<size_t>(bands) + 1, 0);
  {
    const int32_t h = std::clamp(image_height, 0, kRasterRows);
    std::vector<int64_t> cost(static_cast<size_t>(h) + 1, 0);
    for (int32_t y = 0; y < h; ++y) cost[static_cast<size_t>(y) + 1] = cost[static_cast<size_t>(y)] + static_cast<int64_t>(raster_row_work[y] > 100000000u ? 100000000u : raster_row_work[y]) + 4 * kSpanWork;
    const int64_t total = cost[static_cast<size_t>(h)];
    int32_t y = 0;
    for (int32_t b = 1; b < bands; ++b) {
      while (y < h && cost[static_cast<size_t>(y)] * bands < total * b) ++y;
      band_rows[static_cast<size_t>(b)] = y;
    }
    band_rows[static_cast<size_t>(bands)] = 0x7FFFFFFF;
    std::fill(raster_row_work, raster_row_work + kRasterRows, 0u);
  }

  // The background is set up here and recorded; the bands rasterise it first.
  static BandedTape background;
  background.set_bands(bands, band_rows.data());
  banded_tape = &background;
  const int32_t background_result = prologue();
  banded_tape = nullptr;
  background.finish();
  // The noise tables are built here, before any band reads them, at the point of the draw sequence where the
  // first span would build them.
  if (render_settings.dither_amount != 0) ensure_dither_tables();
  if (background_result == -1 || line_count <= 0) {
    // A stopped background still leaves what it drew: each band's share, in turn on this thread.
    const uint32_t seed = dither_seed;
    for (int32_t b = 0; b < bands; ++b) {
      raster_set_band(b, bands, band_rows[static_cast<size_t>(b)], band_rows[static_cast<size_t>(b) + 1]);
      dither_seed = seed;
      tape_replay(background.band[static_cast<size_t>(b)]);
    }
    raster_set_band(0, 1, 0, 0);
    return background_result == -1 ? -1 : 1;
  }
  const ThreadState start = ThreadState::capture();
  const uint32_t start_dither = dither_seed;
  // Set-up may run ahead of the bands as far as its tapes' memory allows: the bands writing the foreground get
  // most of their work from the last lines, and the further set-up has gone by then, the sooner they have it.
  // Whatever the memory, every worker may take one line beyond those the bands are on, so that set-up never
  // waits for nothing; no more than that, since one line of a dense 3-D forest can take tens of megabytes.
  // Each line has its own tape.
  const int32_t window = workers + 1;
  constexpr size_t kAheadBytes = size_t{96} << 20;   // tape memory set-up may fill ahead of the bands
  constexpr size_t kKeptBytes = size_t{48} << 20;    // tape memory kept from frame to frame for reuse

  // The tapes keep some of their memory from frame to frame (walks run one at a time, on the frame's thread).
  static std::vector<BandedTape> tapes;
  if (tapes.size() < static_cast<size_t>(line_count)) tapes.resize(static_cast<size_t>(line_count));
  size_t kept = 0;  // guarded by m once the threads run
  for (BandedTape& t : tapes) {
    t.set_bands(bands, band_rows.data());
    kept += t.bytes_held();
  }
  size_t ahead = 0;  // bytes held by tapes set up and not yet rasterised by every band; guarded by m
  std::vector<char> set_up(static_cast<size_t>(line_count), 0);  // guarded by m
  std::vector<int32_t> band_done(static_cast<size_t>(bands), 0);  // lines each band has rasterised; guarded by m
  ThreadState last_end{};
  int32_t all_done = 0;  // lines every band has rasterised; guarded by m
  std::mutex m;
  std::condition_variable line_ready, room;
  std::atomic<int32_t> next{0};
  std::atomic<bool> stop{false};
  std::atomic<bool> failed{false};

  auto set_up_lines = [&](int32_t) {
    for (;;) {
      const int32_t k = next.fetch_add(1);
      if (k >= line_count) return;
      {
        std::unique_lock<std::mutex> lock(m);
        room.wait(lock, [&] { return stop.load() || k < all_done + window || ahead < kAheadBytes; });
      }
      if (stop.load()) return;
      BandedTape& tape = tapes[static_cast<size_t>(k)];
      const size_t held_before = tape.bytes_held();
      ThreadState end{};
      try {
        start.apply();
        banded_tape = &tape;
        draw(k, stop);
        banded_tape = nullptr;
        tape.finish();
        end = ThreadState::capture();
      } catch (...) {
        banded_tape = nullptr;
        failed.store(true);
        stop.store(true);
      }
      {
        std::lock_guard<std::mutex> lock(m);
        set_up[static_cast<size_t>(k)] = 1;
        if (k == line_count - 1) last_end = end;
        ahead += tape.bytes_held();
        kept += tape.bytes_held() - held_before;
      }
      line_ready.notify_all();
      room.notify_all();
    }
  };

  // Band b rasterises every line in order; band 0 (the calling thread) also reports progress and polls.
  auto rasterise_lines = [&](int32_t b) -> int32_t {
    raster_set_band(b, bands, b == 0 ? 0 : band_rows[static_cast<size_t>(b)], band_rows[static_cast<size_t>(b) + 1]);
    if (b != 0) dither_seed = start_dither;
    tape_replay(background.band[static_cast<size_t>(b)]);
    int32_t result = 1;
    for (int32_t k = 0; k < line_count; ++k) {
      if (b == 0 && before(k) == -1) {
        result = -1;
        break;
      }
      {
        std::unique_lock<std::mutex> lock(m);
        line_ready.wait(lock, [&] { return set_up[static_cast<size_t>(k)] != 0 || stop.load(); });
        if (set_up[static_cast<size_t>(k)] == 0 || failed.load()) {
          result = -1;
          break;
        }
      }
      tape_replay(tapes[static_cast<size_t>(k)].band[static_cast<size_t>(b)]);
      {
        std::lock_guard<std::mutex> lock(m);
        band_done[static_cast<size_t>(b)] = k + 1;
        const int32_t slowest = *std::min_element(band_done.begin(), band_done.end());
        if (slowest > all_done) {
          // Every band is past this line (the slowest moves one line at a time): its tape is emptied, and its
          // blocks are given back once more is kept than is worth keeping.
          all_done = slowest;
          BandedTape& done = tapes[static_cast<size_t>(k)];
          const size_t held = done.bytes_held();
          ahead -= held;
          if (kept > kKeptBytes) {
            done.release();
            kept -= held;
          } else {
            done.clear();
          }
        }
      }
      room.notify_all();
    }
    raster_set_band(0, 1, 0, 0);
    return result;
  };

  int32_t result = 1;
  {
    WorkerGroup setup(workers, set_up_lines);
    WorkerGroup band_threads(bands - 1, [&](int32_t i) {
      if (rasterise_lines(i + 1) == -1) {
        stop.store(true);
        line_ready.notify_all();
        room.notify_all();
      }
    });
    result = rasterise_lines(0);
    if (result == -1) stop.store(true);
    line_ready.notify_all();
    room.notify_all();
    band_threads.join();
    stop.store(true);
    room.notify_all();
    setup.join();
  }
  if (result == 1 && failed.load()) result = -1;
  if (result == 1) last_end.apply();
  return result;
}
