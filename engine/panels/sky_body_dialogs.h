// The moon placement command: the direction picker started from the moon's direction.
#pragma once

struct PanelRecord;

// Opens the picker titled "       Set moon position:       " (mode 9) over the panel; when the user accepts,
// the moon moves to moon_distance along the chosen direction.
void set_moon_position_dialog(PanelRecord* panel);
