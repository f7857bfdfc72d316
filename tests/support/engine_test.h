// The base of every test fixture: each test starts from the engine's start values.
#pragma once

#include <gtest/gtest.h>

#include "engine/app/engine_state.h"

class EngineTest : public ::testing::Test {
 protected:
  // In the constructor, so a fixture's own SetUp already sees the start values.
  EngineTest() { reset_engine_state(); }
};
