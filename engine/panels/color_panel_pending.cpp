// The Colours panel until it is built: its buttons say so and change nothing.
#include "engine/panels/color_panel.h"

#include "engine/ui/status.h"

// TODO(colours panel): the panel's own file replaces this.
int32_t show_color_panel(PanelRecord*, int32_t) {
  show_status("Not available yet.");
  return 1;
}
