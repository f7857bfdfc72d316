// The cloud keywords of scripts: switches, setters, pattern generation and loading.
#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/scene/cloud_pattern_file.h"
#include "engine/core/random.h"
#include "engine/scene/cloud_pattern.h"
#include "tests/animation/script_test_fixture.h"

namespace {

class ScriptCloudTest : public ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    reset_cloud_settings();
  }
  void TearDown() override {
    reset_cloud_settings();
    ScriptTest::TearDown();
  }
  static std::vector<uint8_t> pattern() { return {cloud_pattern, cloud_pattern + kCloudPatternBytes}; }
};

TEST_F(ScriptCloudTest, SwitchesAndSetters) {
  EXPECT_EQ(line("CloudOn"), 1);
  EXPECT_EQ(clouds_enabled, 1);
  EXPECT_EQ(line("CloudOff"), 1);
  EXPECT_EQ(clouds_enabled, 0);
  EXPECT_EQ(line("CloudDensity 150.7"), 1);
  EXPECT_EQ(cloud_settings.cloud_density, 100);
  EXPECT_EQ(line("CloudHardness 30.9"), 1);
  EXPECT_EQ(cloud_settings.cloud_hardness, 30);
  EXPECT_EQ(cloud_settings.cloud_ramp_low, -35);
  EXPECT_EQ(cloud_settings.cloud_ramp_high, 35);
  EXPECT_EQ(line("CloudAltitude -250.5"), 1);
  EXPECT_EQ(cloud_settings.cloud_altitude, -250);
  EXPECT_EQ(line("CloudTextureOff"), 1);
  EXPECT_EQ(cloud_settings.cloud_subdiv_depth, 0);
  EXPECT_EQ(line("CloudTextureOn"), 1);
  EXPECT_EQ(cloud_settings.cloud_subdiv_depth, 6);
  EXPECT_EQ(cloud_settings.cloud_subdiv_size, 11);
  EXPECT_TRUE(host->messages.empty());
}

TEST_F(ScriptCloudTest, CloudNumberRepeatsCloudRandomDoesNot) {
  EXPECT_EQ(line("CloudNumber 42"), 1);
  const auto a = pattern();
  std::fill(cloud_pattern, cloud_pattern + kCloudPatternBytes, 0);
  EXPECT_EQ(line("CloudNumber 42"), 1);
  EXPECT_EQ(pattern(), a);
  random_seed(42);
  generate_cloud_pattern(32);
  EXPECT_EQ(pattern(), a);

  host->advance(1234);
  EXPECT_EQ(line("CloudRandom"), 1);
  const auto b = pattern();
  host->advance(777);
  EXPECT_EQ(line("CloudRandom"), 1);
  EXPECT_NE(pattern(), b);
  EXPECT_TRUE(host->messages.empty());
}

TEST_F(ScriptCloudTest, DamagedScaleNeverStopsGeneration) {
  for (int32_t scale : {0, -3, 1, 1000}) {
    cloud_settings.cloud_scale = scale;
    EXPECT_EQ(line("CloudNumber 9"), 1) << scale;
    const auto a = pattern();
    random_seed(9);
    generate_cloud_pattern(32);  // taken as the start-up scale
    EXPECT_EQ(pattern(), a) << scale;
  }
}

TEST_F(ScriptCloudTest, CloudLoadReadsAFile) {
  const auto dir = std::filesystem::temp_directory_path() / "dalvenor_script_cloud";
  std::filesystem::create_directories(dir);
  const auto file = (dir / "raw.cld").string();
  {
    std::ofstream f(file, std::ios::binary);
    f << "ABC";
  }
  EXPECT_EQ(line("CloudLoad " + file), 1);
  EXPECT_EQ(cloud_pattern[0], 'A');
  EXPECT_EQ(cloud_pattern[2], 'C');
  EXPECT_EQ(cloud_pattern[3], 0);
  EXPECT_EQ(line("CloudLoad " + (dir / "missing.cld").string()), 1);  // nothing shown, pattern kept
  EXPECT_EQ(cloud_pattern[0], 'A');
  EXPECT_TRUE(host->messages.empty());
  std::filesystem::remove_all(dir);
}

}  // namespace
