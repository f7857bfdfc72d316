// The animation maker: output name and continue-or-replace, an unattended run of the script, restore.
#pragma once

#include <cstdint>

#include "engine/animation/motion_export.h"
#include "engine/animation/script_dialog_buffers.h"

// Dialog buffers (256 characters each): the animation output name. The script chosen last is kept in
// script_name and script_path with the camera path script dialogs.
extern char anim_name[256];
extern char anim_path[256];
// Restores the names to their start values ("PIC", empty path).
void reset_animation_maker_names();

// Results of make_animation beside run_script's own (1, 0, -1, -3).
constexpr int32_t kMakeAnimationDialogCancelled = -6;

// Makes an animation from the camera path (from_path: the number of path frames) or, with from_path 0,
// from a script the user picks. Returns -6 when a file dialog was cancelled, -1 when the user refused
// to go on or the existing output does not fit, 0 when the output did not open, 1 when the movie codec
// question was cancelled, else the result of run_script.
int32_t make_animation(int32_t from_path);

// "Continue existing animation or delete it?": 1 "Continue", 0 "Delete".
int32_t ask_continue_animation();
// Cuts the name at its last dot (in its last path part); a name without one stays.
void strip_extension(char* name);
// strip_extension, then the first three characters.
void base_name_max3(char* name);
// The number of consecutive series files "<base>%05d.<ext>" that exist from number 0 (at most 100000).
int32_t count_series_files(const char* base, const char* extension);
// Removes series files from number 0 upward until a removal fails (at most 100000); returns the count.
int32_t remove_series_files(const char* base, const char* extension);

// Shows the message the animation maker gives for a movie that did not open: 1 when one was shown
// (codes -1001, -1004, -1005, -1007), 0 for the others.
int32_t report_movie_open(int32_t result, const char* path);
