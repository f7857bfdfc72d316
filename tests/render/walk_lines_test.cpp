// Walk lines over worker threads: every line set up once from the walk's starting state, progress reported in
// line order on the calling thread, and a stop or a failing line ending the walk instead of leaving it waiting.
#include "engine/render/walk_lines.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "engine/core/random.h"

namespace {

// What one walk did, as its callbacks saw it.
struct WalkLog {
  explicit WalkLog(int32_t n) : drawn(static_cast<size_t>(n)) {}
  std::vector<std::atomic<int32_t>> drawn;  // times each line was set up
  std::atomic<int32_t> wrong_start{0};       // lines that did not start from the walk's random state
  std::vector<int32_t> reported;              // before(k) calls, in order
  bool reported_elsewhere = false;            // a before(k) ran off the calling thread
};

constexpr uint32_t kStartState = 1234;

// Runs a walk of n lines: line k leaves random8_state at 1000 + k; before(k) answers stop_at == k with -1, and
// line fail_at throws.
int32_t run_walk(WalkLog& log, int32_t n, int32_t threads, int32_t bands, int32_t stop_at = -1,
                 int32_t fail_at = -1, int32_t prologue_result = 1) {
  const std::thread::id caller = std::this_thread::get_id();
  random8_state = kStartState;
  return walk_lines_on_workers(
      n, threads, bands, [&] { return prologue_result; },
      [&](int32_t k, const std::atomic<bool>&) {
        if (random8_state != kStartState) log.wrong_start += 1;
        log.drawn[static_cast<size_t>(k)] += 1;
        if (k == fail_at) throw std::runtime_error("line failed");
        random8_state = 1000 + static_cast<uint32_t>(k);
      },
      [&](int32_t k) {
        if (std::this_thread::get_id() != caller) log.reported_elsewhere = true;
        log.reported.push_back(k);
        return k == stop_at ? -1 : 1;
      });
}

}  // namespace

TEST(WalkLinesOnWorkers, EveryLineIsSetUpOnceAndReportedInOrderOnTheCallingThread) {
  constexpr int32_t kLines = 37;
  for (int32_t threads : {1, 2, 8}) {
    for (int32_t bands : {1, 3, 8}) {
      WalkLog log(kLines);
      EXPECT_EQ(run_walk(log, kLines, threads, bands), 1) << threads << " threads, " << bands << " bands";
      std::vector<int32_t> in_order;
      for (int32_t k = 0; k < kLines; ++k) {
        EXPECT_EQ(log.drawn[static_cast<size_t>(k)].load(), 1) << "line " << k;
        in_order.push_back(k);
      }
      EXPECT_EQ(log.reported, in_order) << threads << " threads, " << bands << " bands";
      EXPECT_FALSE(log.reported_elsewhere);
      EXPECT_EQ(log.wrong_start.load(), 0);
      // The calling thread goes on from where the last line left the random stream.
      EXPECT_EQ(random8_state, 1000u + kLines - 1);
    }
  }
}

TEST(WalkLinesOnWorkers, AStopOrAFailingLineEndsTheWalk) {
  constexpr int32_t kLines = 40;
  for (int32_t threads : {1, 2, 8}) {
    // Stopped at line 5's progress report: nothing after it is reported.
    WalkLog stopped(kLines);
    EXPECT_EQ(run_walk(stopped, kLines, threads, 4, 5), -1) << threads;
    EXPECT_EQ(stopped.reported, (std::vector<int32_t>{0, 1, 2, 3, 4, 5})) << threads;

    // Line 10 fails: the walk ends without rasterising it or anything after it.
    WalkLog failed(kLines);
    EXPECT_EQ(run_walk(failed, kLines, threads, 4, -1, 10), -1) << threads;
    EXPECT_EQ(failed.drawn[10].load(), 1);
    for (int32_t k : failed.reported) EXPECT_LT(k, 10) << threads;

    // A stopped background sets up no line at all.
    WalkLog no_background(kLines);
    EXPECT_EQ(run_walk(no_background, kLines, threads, 4, -1, -1, -1), -1) << threads;
    for (int32_t k = 0; k < kLines; ++k) EXPECT_EQ(no_background.drawn[static_cast<size_t>(k)].load(), 0);
    EXPECT_TRUE(no_background.reported.empty());
  }
}
