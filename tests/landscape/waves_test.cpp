// The wave field: its bounds, the phase advance over a cycle, and the derived settings.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/landscape/camera.h"
#include "engine/landscape/waves.h"
#include "tests/support/engine_test.h"

namespace {

class WavesTest : public EngineTest {
 protected:
  void SetUp() override {
    max_elevation_col = 10, max_elevation_row = 20;
    waves_recompute();
  }
  void TearDown() override { reset_wave_settings(); }
};

TEST_F(WavesTest, HeightsStayWithinBoundsAndMoveEachFrame) {
  double lo = 0, hi = 0, moved = 0;
  for (int i = 0; i < 400; ++i) {
    const float x = static_cast<float>(i * 7.3), y = static_cast<float>(i * 3.1);
    const double h = wave_height_at(x, y);
    lo = std::min(lo, h), hi = std::max(hi, h);
    waves_advance();
    moved += std::fabs(wave_height_at(x, y) - h);
    set_wave_phase(0.0f);
  }
  EXPECT_GE(lo, -0.3925 - 1e-6);
  EXPECT_LE(hi, 0.3925 + 1e-6);
  EXPECT_LT(lo, -0.1);  // the field really varies
  EXPECT_GT(hi, 0.1);
  EXPECT_GT(moved, 1.0);
}

TEST_F(WavesTest, OneCycleAfterPeriodFrames) {
  const double h0 = wave_height_at(123.0f, 456.0f);
  for (int i = 0; i < 25; ++i) waves_advance();
  EXPECT_NEAR(wave_settings.wave_phase, 100.0f, 1e-3);
  EXPECT_NEAR(wave_height_at(123.0f, 456.0f), h0, 1e-4);
}

TEST_F(WavesTest, DerivedSettings) {
  set_wave_period(0.0f);
  EXPECT_EQ(wave_settings.wave_period, 1.0f);
  EXPECT_NEAR(wave_settings.wave_phase_step, 6.2831853, 1e-6);
  set_wave_height(20.0f);
  EXPECT_FLOAT_EQ(wave_settings.wave_amplitude, 2.0f);
  set_wave_length(20.0f);
  EXPECT_FLOAT_EQ(wave_settings.wave_number, 4.0f);
  set_wave_phase(50.0f);
  EXPECT_NEAR(wave_settings.wave_phase_radians, 3.14159265, 1e-6);

  set_wave_direction(30.0f);
  const WaveSource a = wave_settings.wave_sources[1];
  set_wave_direction(390.0f);
  EXPECT_NEAR(wave_settings.wave_sources[1].x, a.x, 2.0);
  EXPECT_NEAR(wave_settings.wave_sources[1].y, a.y, 2.0);
  // A length of 0 from a script: a finite field instead of an infinite wave number.
  set_wave_length(0.0f);
  EXPECT_TRUE(std::isfinite(wave_height_at(5.0f, 5.0f)));

  waves_off();
  EXPECT_EQ(wave_settings.waves_enabled, 0);
  EXPECT_FLOAT_EQ(wave_settings.wave_height, 20.0f);  // settings kept
  waves_on();
  EXPECT_EQ(wave_settings.waves_enabled, 1);
}

}  // namespace
