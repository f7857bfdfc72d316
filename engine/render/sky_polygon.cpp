// Background triangles of the sky and the horizon.
#include "engine/render/sky_polygon.h"

#include "engine/raster/polygon_pipeline.h"

namespace {
void set_vertex(PolygonVertex* v, const SkyVertex& s, int32_t slot) {
  *v = PolygonVertex{};
  v->x = s.x;
  v->y = s.y;
  v->z = s.z;
  v->r = static_cast<uint16_t>(((s.color >> 16) & 255) * 256);
  v->g = static_cast<uint16_t>(((s.color >> 8) & 255) * 256);
  v->b = static_cast<uint16_t>((s.color & 255) * 256);
  v->alpha = 255;
  v->slot = static_cast<uint16_t>(slot);
}
}  // namespace

void draw_sky_triangle(const SkyVertex& a, const SkyVertex& b, const SkyVertex& c, int32_t slot) {
  // Only the four entries the record holds are set (each cleared first), as for the terrain's triangles; the
  // pipeline never reads past the count: saves clearing the whole 648-byte record for each of the horizon's tens
  // of thousands of triangles, drawn before any worker can start.
  PolygonRecord rec;
  rec.count = 4;
  rec.tx_map = nullptr;
  set_vertex(&rec.vertices[0], a, slot);
  set_vertex(&rec.vertices[1], b, slot);
  set_vertex(&rec.vertices[2], c, slot);
  rec.vertices[3] = rec.vertices[0];
  draw_polygon_world(&rec);
}
