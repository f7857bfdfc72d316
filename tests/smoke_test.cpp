// The engine library links and holds its start-up settings.
#include <gtest/gtest.h>

#include "engine/landscape/settings.h"

TEST(Smoke, StartValues) { EXPECT_EQ(focal_length, 32); }
