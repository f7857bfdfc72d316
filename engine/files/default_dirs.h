// Default folders of every file kind: the folder pairs the file requester opens in, and their setters.
//
// Each kind owns two 256-byte buffers that the setters fill with the same folder, followed by a
// backslash unless the folder is empty or already ends in "\", "/" or ":". One member is the folder
// the requester opens in and writes the folder the user ended in back to; the other is a spare copy
// that keeps the folder as set.
#pragma once

#include <cstddef>

constexpr size_t kDirBufferSize = 256;

// Landscape files: dem_dir_work is the requester's folder, dem_dir the spare.
extern char dem_dir[kDirBufferSize], dem_dir_work[kDirBufferSize];
// Colour schemes: scheme_dir_work is the requester's folder, scheme_dir the spare.
extern char scheme_dir[kDirBufferSize], scheme_dir_work[kDirBufferSize];
// Raw elevation imports: binary_dir_work is the requester's folder, binary_dir the spare.
extern char binary_dir[kDirBufferSize], binary_dir_work[kDirBufferSize];

// Image kinds: X_dir is the requester's folder, X_dir_default the spare.
extern char palette_dir[kDirBufferSize], palette_dir_default[kDirBufferSize];
extern char pcx_dir[kDirBufferSize], pcx_dir_default[kDirBufferSize];
extern char targa_dir[kDirBufferSize], targa_dir_default[kDirBufferSize];
extern char bmp_dir[kDirBufferSize], bmp_dir_default[kDirBufferSize];
extern char jpeg_dir[kDirBufferSize], jpeg_dir_default[kDirBufferSize];
// Background ("TEXTURE\BackGr" at start), foreground ("TEXTURE\ForeGr") and stereo pictures.
extern char background_dir[kDirBufferSize], background_dir_default[kDirBufferSize];
extern char foreground_dir[kDirBufferSize], foreground_dir_default[kDirBufferSize];
extern char stereo_dir[kDirBufferSize], stereo_dir_default[kDirBufferSize];
// Cloud pattern files: cloud_dir is the requester's folder.
extern char cloud_dir[kDirBufferSize], cloud_dir_default[kDirBufferSize];

// Script kinds: both members hold the same folder; the dialogs use X_folder, the quality
// scripts read iq_dir ("iq\" at start).
extern char script_dir[kDirBufferSize], script_folder[kDirBufferSize];
extern char anim_dir[kDirBufferSize], anim_folder[kDirBufferSize];
extern char batch_dir[kDirBufferSize], batch_folder[kDirBufferSize];
extern char iq_dir[kDirBufferSize], iq_folder[kDirBufferSize];

// Texture kinds: X_texture_dir is the chooser's folder ("TEXTURE\HOUSE" at start for houses).
extern char ground_texture_dir[kDirBufferSize], ground_texture_dir_default[kDirBufferSize];
extern char house_texture_dir[kDirBufferSize], house_texture_dir_default[kDirBufferSize];
extern char tree_texture_dir[kDirBufferSize], tree_texture_dir_default[kDirBufferSize];
extern char sky_texture_dir[kDirBufferSize], sky_texture_dir_default[kDirBufferSize];
extern char water_texture_dir[kDirBufferSize], water_texture_dir_default[kDirBufferSize];

void set_default_dir_dem(const char* folder);
void set_default_dir_scheme(const char* folder);
void set_default_dir_binary(const char* folder);
void set_default_dir_palette(const char* folder);
void set_default_dir_pcx(const char* folder);
void set_default_dir_targa(const char* folder);
void set_default_dir_bmp(const char* folder);
void set_default_dir_jpg(const char* folder);
void set_default_dir_background(const char* folder);
void set_default_dir_foreground(const char* folder);
void set_default_dir_stereo(const char* folder);
void set_cloud_directory(const char* folder);
void set_default_dir_script(const char* folder);
void set_default_dir_anim(const char* folder);
void set_default_dir_batch(const char* folder);
void set_default_dir_iq(const char* folder);
void set_default_dir_ground_texture(const char* folder);
void set_house_texture_directory(const char* folder);
void set_tree_texture_dir(const char* folder);
void set_default_dir_sky_texture(const char* folder);
void set_water_texture_dir(const char* folder);

// Start-up finders: when the base folder (ending in a separator) followed by the kind's folder
// exists, that path becomes both members of the kind's pair as it is (no backslash added).
// init_jpeg_dir looks for "JPG"; the texture finders for "TEXTURE\GROUND", "TEXTURE\HOUSE",
// "TEXTURE\TREE", "TEXTURE\SKY" and "TEXTURE\WATER" and return the folder, or null when it is missing.
void init_jpeg_dir(const char* program_folder);
const char* find_ground_texture_dir(const char* base);
const char* find_house_texture_dir(const char* base);
const char* find_tree_texture_dir(const char* base);
const char* find_sky_texture_dir(const char* base);
const char* init_water_texture_dir(const char* base);

// Puts every folder pair back to its start value (start-up and tests).
void reset_default_dirs();
