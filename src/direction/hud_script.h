// The keyword lines that "hud.txt" layers and scene keys share: visibility,
// colour, tiling, texture inset and quad. Arguments are scanned into
// temporaries and stored only when the whole format matched, so a line that
// does not scan leaves the value as it was.
#pragma once

#include "direction/hud_layer.h"
#include "world/world_file.h"

// Stores the number of a one-number format; false when it did not scan.
bool scanHudFloat(const char* line, const char* format, float& value);
void scanHudColor(const char* line, HudColor& color);
void scanHudTiling(const char* line, HudTiling& tiling);
void scanHudQuad(const char* line, HudQuad& quad);

// The shared keywords in their order: "show", "hide", "color", "tiling",
// "offset", "quad". `Target` is a HudLayer or a HudKey.
template <typename Target>
void applyHudLookLine(const char* line, Target& target) {
  if (startsWith(line, "show")) target.show = true;
  if (startsWith(line, "hide")) target.show = false;
  if (startsWith(line, "color")) scanHudColor(line, target.color);
  if (startsWith(line, "tiling")) scanHudTiling(line, target.tiling);
  if (startsWith(line, "offset")) scanHudFloat(line, "offset %f", target.offset);
  if (startsWith(line, "quad")) scanHudQuad(line, target.quad);
}
