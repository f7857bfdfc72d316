// Walk lines on worker threads: each line's drawing goes onto a tape, whose band shares are replayed in line order
// by whichever thread holds the band. Set-up runs ahead of the slowest band as far as its tapes' memory allows.
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

int32_t walk_lines_on_workers(int32_t line_count, int32_t threads, int32_t bands,
                              const std::function<int32_t()>& prologue,
                              const std::function<void(int32_t k, const std::atomic<bool>& stop)>& draw,
                              const std::function<int32_t(int32_t k)>& before) {
  threads = std::max(threads, 1);
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
  // Whatever the memory, every thread may take one line beyond those the bands are on, so that set-up never
  // waits for nothing; no more than that, since one line of a dense 3-D forest can take tens of megabytes.
  // Each line has its own tape.
  const int32_t window = threads + 1;
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

  // What a band carries from one line to the next: its rows are rasterised by whichever thread holds it, one
  // thread at a time and in line order, and the thread takes the band's dither stream with it. Band 0 stays
  // on the calling thread, which polls for a stop as it rasterises and reports progress.
  struct Band {
    int32_t next = 0;          // the next line to rasterise
    bool background = false;   // its share of the background is drawn
    bool busy = false;         // a thread holds it
    uint32_t dither = 0;       // its dither stream between lines
  };
  std::vector<Band> band(static_cast<size_t>(bands));
  for (Band& b : band) b.dither = start_dither;
  size_t ahead = 0;  // bytes held by tapes set up and not yet rasterised by every band; guarded by m
  std::vector<char> set_up(static_cast<size_t>(line_count), 0);  // guarded by m
  int32_t next_set_up = 0;  // the next line to set up; guarded by m
  ThreadState last_end{};
  int32_t all_done = 0;  // lines every band has rasterised; guarded by m
  std::mutex m;
  std::condition_variable changed;
  std::atomic<bool> stop{false};
  std::atomic<bool> failed{false};
  int32_t result = 1;  // set by the calling thread

  auto set_up_line = [&](int32_t k) {
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
    std::lock_guard<std::mutex> lock(m);
    set_up[static_cast<size_t>(k)] = 1;
    if (k == line_count - 1) last_end = end;
    ahead += tape.bytes_held();
    kept += tape.bytes_held() - held_before;
  };

  // Rasterises band b's share of line k, or of the background when k is -1; false when the user stopped.
  auto rasterise = [&](int32_t b, int32_t k) -> bool {
    const Band& mine = band[static_cast<size_t>(b)];  // its fields change only under m, and not while held
    raster_set_band(b, bands, b == 0 ? 0 : band_rows[static_cast<size_t>(b)], band_rows[static_cast<size_t>(b) + 1]);
    dither_seed = mine.dither;
    bool go_on = true;
    if (k < 0) {
      tape_replay(background.band[static_cast<size_t>(b)]);
    } else if (b == 0 && before(k) == -1) {
      go_on = false;
    } else {
      tape_replay(tapes[static_cast<size_t>(k)].band[static_cast<size_t>(b)]);
    }
    raster_set_band(0, 1, 0, 0);
    return go_on;
  };

  // The band's line is done: once every band is past a line (the slowest moves one line at a time), its tape
  // is emptied, and its blocks are given back once more is kept than is worth keeping. Called under m.
  auto band_finished = [&](int32_t b, int32_t k) {
    Band& mine = band[static_cast<size_t>(b)];
    mine.dither = dither_seed;
    mine.busy = false;
    if (k < 0) {
      mine.background = true;
      return;
    }
    mine.next = k + 1;
    int32_t slowest = line_count;
    for (const Band& o : band) slowest = std::min(slowest, o.next);
    if (slowest > all_done) {
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
  };

  // Every thread, the calling one included, takes whatever work is ready: first a band whose next line is set
  // up (the calling thread its own band 0 before any other; the others the band furthest behind), then the next
  // line to set up. Set-up is most of a frame's work, and the bands writing the foreground get most of theirs
  // from the last lines: a fixed share of threads per job left the foreground's bands drawing alone long after
  // set-up had ended, and set-up threads idle while the bands were behind.
  auto work = [&](bool caller) {
    for (;;) {
      int32_t b = -1, k = -1;
      bool setting_up = false;
      {
        std::unique_lock<std::mutex> lock(m);
        for (;;) {
          if (stop.load()) return;
          const auto ready = [&](const Band& o) {
            return !o.busy && (!o.background || (o.next < line_count && set_up[static_cast<size_t>(o.next)] != 0));
          };
          if (caller && ready(band[0])) b = 0;
          for (int32_t i = 1; b != 0 && i < bands; ++i) {
            if (!ready(band[static_cast<size_t>(i)])) continue;
            if (b < 0 || band[static_cast<size_t>(i)].next < band[static_cast<size_t>(b)].next) b = i;
          }
          if (b >= 0) {
            Band& chosen = band[static_cast<size_t>(b)];
            chosen.busy = true;
            k = chosen.background ? chosen.next : -1;
            break;
          }
          if (next_set_up < line_count && (next_set_up < all_done + window || ahead < kAheadBytes)) {
            k = next_set_up++;
            setting_up = true;
            break;
          }
          // Done when every line is set up and every band is through them or held by a thread that goes on.
          bool left = next_set_up < line_count;
          for (int32_t i = caller ? 0 : 1; i < bands; ++i) {
            const Band& o = band[static_cast<size_t>(i)];
            if (!o.busy && o.next < line_count) left = true;
          }
          if (!left) return;
          changed.wait(lock);
        }
      }
      if (setting_up) {
        set_up_line(k);
      } else if (!rasterise(b, k)) {
        result = -1;
        stop.store(true);
      }
      {
        std::lock_guard<std::mutex> lock(m);
        if (!setting_up) band_finished(b, k);
      }
      changed.notify_all();
    }
  };

  {
    WorkerGroup helpers(threads - 1, [&](int32_t) { work(false); });
    work(true);
    changed.notify_all();
    helpers.join();
  }
  // The calling thread goes on with band 0's dither stream, which has passed over every other band's draws.
  dither_seed = band[0].dither;
  if (result == 1 && (failed.load() || all_done < line_count)) result = -1;
  if (result == 1) last_end.apply();
  return result;
}
