// The small pop-ups of the Help menu and the Image panel: About, landscape information, image statistics and
// the Display panel that chooses how the render window shows an image while it is drawn.
#pragma once

#include <cstdint>

#include "engine/panels/popup_guard.h"

constexpr int32_t kInfoOk = 1172;
constexpr int32_t kInfoNameField = 1002, kInfoCommentField = 1003, kInfoUtmYField = 1004, kInfoUtmXField = 1005;
constexpr int32_t kDisplayDrawn = 4322, kDisplayPeriodic = 4323, kDisplayInterval = 4325;

// The open pop-ups with their openers, empty while closed; each kind is open at most once.
struct InfoPanelsState {
  PopupSlot about, landscape_info, image_stats, display;
};
extern InfoPanelsState info_panels_state;

// Each opens its pop-up over the parent (a second call while it is open opens nothing) and returns 1.
int32_t show_about_panel(PanelRecord* parent);
int32_t show_landscape_info_panel(PanelRecord* parent);
int32_t show_image_stats_panel(PanelRecord* parent);
int32_t show_display_panel(PanelRecord* parent);

int32_t draw_about_panel(PanelRecord* panel);
int32_t draw_landscape_info_panel(PanelRecord* panel);
int32_t draw_image_stats_panel(PanelRecord* panel);
int32_t draw_display_panel(PanelRecord* panel);
void about_panel_event(PanelRecord* panel);
void landscape_info_panel_event(PanelRecord* panel);
void image_stats_panel_event(PanelRecord* panel);
void display_panel_event(PanelRecord* panel);
void display_panel_sync();
// Acts on one result of panel_event of the Display panel.
void display_panel_handle(PanelRecord* panel, int32_t result);

// Text in the label colours centred across the 372-pixel panel.
void draw_centered_text(PanelRecord* panel, int32_t y, const char* text);
// A sunken line from x0 + 4 to x1 - 4 at y.
void draw_separator_line(PanelRecord* panel, int32_t x0, int32_t x1, int32_t y);

// The figures the statistics panel shows: 0 image size, 1 polygon count, 2 rendering time, 3 last loaded image.
void image_stats_text(int32_t which, char* out, int32_t size);
// The landscape panel's file line (the path cut to 44 characters) and size line.
void landscape_info_file_text(char* out, int32_t size);
void landscape_info_size_text(char* out, int32_t size);

// No pop-up open.
void reset_info_panels_state();
