// The size of the cloud pattern, shared by the cloud layer and the landscape files that store it.
#pragma once

#include <cstdint>

constexpr int32_t kCloudPatternSide = 256;
constexpr int32_t kCloudPatternBytes = kCloudPatternSide * kCloudPatternSide;
