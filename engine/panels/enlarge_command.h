// The "Enlarge all" and "Enlarge section" commands: region pick, fill-type question, enlargement, messages.
#pragma once

#include <cstdint>

constexpr int32_t kCommandEnlargeAll = 1169;
constexpr int32_t kCommandEnlargeSection = 1170;

// Command 1169 enlarges all, anything else a section picked on the map. 1 on success, 0 when the enlargement
// was refused (a side beyond 8194 samples, or memory short: a message says which; nothing changed), -1 when the
// region pick was cancelled.
int32_t enlarge_section_command(int32_t command);
