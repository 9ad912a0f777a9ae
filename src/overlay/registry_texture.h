// Overlay textures taken from the texture registry the way world objects
// take theirs.
#pragma once

#include <cstdint>

// The registry texture of the full archive path, found through setTexture of
// a temporary world object; 0 when the registry lacks it.
std::uint32_t registryTexture(const char* path);
