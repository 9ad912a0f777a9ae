// Loading the overlay pictures.
#include "overlay/overlay_textures.h"

#include "overlay/registry_texture.h"
#include "resources/texture.h"
#include "resources/texture_upload.h"

std::uint32_t loadingPicture = 0;
std::uint32_t noiseTexture = 0;
std::uint32_t panelTexture = 0;

void loadLoadingPicture() {
  Texture picture;
  picture.load("load.jpg");
  loadingPicture = picture.texture;
}

void loadOverlayTextures() {
  noiseTexture = registryTexture("textures\\noise.tga");
  panelTexture = loadTgaTexture("textures\\panel.tga");
}
