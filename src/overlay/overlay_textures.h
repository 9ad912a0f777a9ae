// The pictures of the overlays, loaded once while the saver starts: the
// loading screen's picture, the noise of the "wout"/"wback" transitions and
// the sign text's panel. Each is an OpenGL texture name, 0 until loaded.
#pragma once

#include <cstdint>

extern std::uint32_t loadingPicture;
extern std::uint32_t noiseTexture;
extern std::uint32_t panelTexture;

// "load.jpg" through a temporary Texture, so the entry is "textures\load.jpg";
// the texture outlives the temporary.
void loadLoadingPicture();
// "textures\noise.tga" from the texture registry, "textures\panel.tga"
// uploaded directly.
void loadOverlayTextures();
