// Scanning the argument formats that HUD layers and their keys share.
#include "direction/hud_script.h"

#include <cstdio>

bool scanHudFloat(const char* line, const char* format, float& value) {
  float scanned;
  if (std::sscanf(line, format, &scanned) != 1) return false;
  value = scanned;
  return true;
}

void scanHudColor(const char* line, HudColor& color) {
  HudColor scanned;
  if (std::sscanf(line, "color (%f %f %f %f)", &scanned.r, &scanned.g, &scanned.b, &scanned.a) == 4) color = scanned;
}

void scanHudTiling(const char* line, HudTiling& tiling) {
  HudTiling scanned;
  if (std::sscanf(line, "tiling (%f %f)", &scanned.u, &scanned.v) == 2) tiling = scanned;
}

void scanHudQuad(const char* line, HudQuad& quad) {
  HudQuad scanned;
  if (std::sscanf(line, "quad (%f %f %f %f)", &scanned.x, &scanned.y, &scanned.width, &scanned.height) == 4)
    quad = scanned;
}
