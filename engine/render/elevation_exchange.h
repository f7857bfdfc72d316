// Start values of the elevation imports and exports (raw rows, foreign landscapes, PCX maps, ASCII and DXF).
#pragma once

void reset_elevation_exchange_state();
