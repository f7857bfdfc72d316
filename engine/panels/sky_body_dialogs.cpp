// The moon placement command over the direction picker.
#include "engine/panels/sky_body_dialogs.h"

#include "engine/panels/direction_picker.h"
#include "engine/scene/sun_moon.h"

namespace {
float moon_dialog_vector[3];
}

void set_moon_position_dialog(PanelRecord* panel) {
  moon_position_dialog_vector(moon_dialog_vector);
  getvect(panel, kMoonPositionTitle, moon_dialog_vector, kMoonPositionMode);
}
