// A fixture for script tests: a headless host, start-up settings and camera, and a small landscape.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/animation/script_interpreter.h"
#include "tests/support/headless_host.h"
#include "engine/landscape/camera.h"
#include "engine/core/grid.h"
#include "engine/core/settings.h"
#include "engine/ui/engine_control.h"
#include "engine/ui/status.h"
#include "tests/support/engine_test.h"

class ScriptTest : public EngineTest {
 protected:
  void SetUp() override {
    user_abort = 0;  // a stop left by an earlier test must not end this one's operations
    ASSERT_EQ(set_landscape_size(258, 258), 1);
  }
  void TearDown() override {
    reset_settings_defaults();
    reset_camera_state();
  }

  // Executes one line from a writable copy, as the runner does.
  int32_t line(const std::string& text) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "%s", text.c_str());
    return execute_script_line(buffer);
  }


  ScopedHeadlessHost host;
};
