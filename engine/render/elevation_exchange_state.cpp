// Puts the remembered settings and dialog buffers of the elevation imports and exports back to their start.
#include "engine/files/elevation_exports.h"
#include "engine/files/elevation_pcx.h"
#include "engine/files/raw_elevations.h"
#include "engine/files/scenery_import.h"
#include "engine/render/elevation_exchange.h"

void reset_elevation_exchange_state() {
  reset_raw_elevation_import();
  reset_elevation_exports();
  reset_scenery_import();
  reset_elevation_pcx();
}
