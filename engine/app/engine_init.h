// Bringing the engine up: the settings that are not static start values, the first landscape, the
// buffers and maps; and the render window's class and window that the front end asks for before.
#pragma once

#include <cstdint>

// The start-up landscape's name.
constexpr const char* kStartupLandscapeName = "Flatland";
// The deep stack made available before anything recursive runs.
constexpr uint64_t kDeepStackBytes = 1024 * 1024;

// Runs once, before any engine command: image size 800 by 600, display depth, map, star map, path
// frames, a 258 by 258 "Flatland" with the default terrain, view, texture slots, tree classes and
// detail level, then the Topo and Preview panels redrawn.
void engine_init();
// The stack limit raised to at least kDeepStackBytes where the system allows; the limit in force.
uint64_t ensure_deep_stack();
// Pointer-hide counter reset and the pointer shown; 1.
int32_t pointer_restart();
// Registers the render window's class ("RENDER_CLASS"); 1 when registered.
int32_t register_render_class();
// Creates the render window; 1, or 0 after "Could not create render window.".
int32_t create_render_window();
