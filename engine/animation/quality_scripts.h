// Image-quality presets, the animation viewers and the web links of the Help menu.
#pragma once

#include <cstdint>

// The Quality menu's presets: run_script (iq_dir + "iq_low.scr", "iq_med.scr", "iq_hi.scr" or
// "iq_ultra.scr", no base name, frame 0); they return its result. No frame is ever written.
int32_t run_iq_script_low();
int32_t run_iq_script_med();
int32_t run_iq_script_hi();
int32_t run_iq_script_ultra();
// Asks for a quality script in the quality folder (the folder chosen is not kept) and runs it without
// writing frames; a cancelled dialog returns the dialog's result.
int32_t run_iq_script_user();

// Ask for an FLC or AVI animation in the animation folder and open it with the program the system
// associates with it. 1, also when the dialog was cancelled.
int32_t view_flc_animation();
int32_t view_avi_animation();

// Opens the page of a Help or community command (1073 to 1093) with the desktop's opener; other numbers do
// nothing. 1 when a page was handed over; 0 with a message when the help page is missing.
int32_t open_web_link(int32_t page);
// The address of a page (the program's own help page), or null when the number is outside the table.
const char* web_link_address(int32_t page);
