// The "Cloud Texture" pop-up panel: coverage, edge sharpness, altitude, lining, fractal detail, pattern size, a
// new random pattern, loading and saving pattern files, and a preview of the coverage.
#pragma once

#include <cstdint>

struct PanelRecord;
struct GadgetRecord;

constexpr int32_t kCloudPanelOk = 1172;
constexpr int32_t kCloudFractal = 2000, kCloudDensity = 2001, kCloudHardness = 2002, kCloudAltitude = 2003,
                  kCloudLining = 2004, kCloudGenerate = 2006, kCloudLoad = 1265, kCloudSave = 1266;
// The size buttons X, L, M, S: scales 2, 4, 8, 16.
constexpr int32_t kCloudSizeX = 2007, kCloudSizeL = 2008, kCloudSizeM = 2009, kCloudSizeS = 2010;

// The open cloud panel, or null.
extern PanelRecord* cloud_panel;
// The panel's static gadget list (head).
GadgetRecord* cloud_panel_gadgets();

// Opens the panel over the parent with its gadgets set from the cloud settings; 1. Nothing is opened while
// another pop-up of the engine is still open.
int32_t show_cloud_panel(PanelRecord* parent);
// Draw callback: background, gadgets, labels and preview.
int32_t draw_cloud_panel(PanelRecord* panel);
// The 128 by 128 preview: white where the pattern lies at or above the coverage threshold, else dark.
void draw_cloud_preview(PanelRecord* panel);
// Event callback: one panel_event result acted on.
void cloud_panel_event(PanelRecord* panel);
// The coverage threshold of the preview for a density: ((100 - density) * 255) / 100.
int32_t cloud_preview_threshold(int32_t density);
