// Flares: the world-object kind for bright lights seen through a lens (the
// sun, stars, lamps, engine glows). A flare is a point that every draw
// projects to the window and draws there as a pixel-space sprite, optionally
// followed by a chain of 13 lens-reflection sprites along the line from the
// point through the window's centre.
//
// Whether the point is hidden is decided by reading back the one depth value
// at its pixel: it is seen when nothing nearer has been drawn there, so
// flares belong after the bodies that may hide them (an environment's post
// pass). The seen flag of one draw drives the next update, which fades the
// intensity in or out; a flicker cycle dims and brightens it on top.
//
// With a parent the point is an offset in the parent's own frame (right,
// up, look); the flare is not drawn while the parent is hidden. "env" flares
// sit in a fixed direction from the eye under a private projection and are
// seen only where nothing at all was drawn. The parent reference is the
// base's field; flares take no name, so nothing refers to one.
//
// A draw leaves the modelview matrix selected and the matrices as it found
// them, the texture matrix at identity, lighting and the depth test on, and
// (when it drew) the additive blend function (source alpha, one).
#pragma once

#include <cstdint>

#include "world/world_object.h"

// One sprite of the lens chain: where it lies on the line from the flare's
// point P to the window centre S (P + position × (S − P)), its half side as a
// factor of lensSize, and which of the three lens textures it shows.
struct LensSprite {
  float position;
  float size;
  int texture;
};
constexpr int kLensSpriteCount = 13;
extern const LensSprite kLensChain[kLensSpriteCount];

class Flare : public WorldObject {
 public:
  static constexpr int kLensTextureCount = 3;

  Flare();
  ~Flare() override = default;
  void draw(const Camera& camera) override;
  void update(double dt) override;

  // The registry texture of that path into lens slot `slot` (0 to 2); a name
  // ending in "tga" marks the flare as alpha-textured. A path the registry
  // lacks, or a slot outside 0..2, leaves the slots as they were.
  void setLensTexture(const char* textureName, int slot);

  float intensity = 0.0f;    // faded towards 1 while seen, towards 0 while hidden
  float size = 10.0f;        // half side of the main sprite, pixels
  float lensSize = 5.0f;     // base half side of the lens sprites, pixels
  float fadeInRate = 6.0f;   // intensity per second while seen
  float fadeOutRate = 6.0f;  // intensity per second while hidden
  float fov = 0.1f;          // the private projection of an "env" flare
  float rotationAngle = 0.0f;
  float rotationSpeed = 24.0f;  // degrees per second
  float xy = 1.0f;              // width to height of the main sprite
  float flickerClock = 0.0f;    // advances 6 per second
  float flickerDim = 0.0f;      // clock value up to which the flare dims
  float flickerEnd = 0.0f;      // clock value at which a new cycle is drawn
  float flickerAmount = 0.0f;   // scale of the random cycle, seconds
  float focus = 0.0f;           // cosine threshold of the focus mode
  float lumin = 1.0f;           // brightness multiplier
  bool seen = false;            // the last draw's occlusion test
  bool lensEffect = false;
  bool env = false;
  bool useFocus = false;  // brightness by the angle between the view and the offset
  bool orient = false;
  Vector3 offset{0.0f, 0.0f, 0.0f};       // in the parent's frame, or an "env" direction
  Vector3 orientPoint{0.0f, 0.0f, 0.0f};  // window point of the orient rule, pixels
  std::uint32_t lensTextures[kLensTextureCount] = {};

 private:
  // Projects the point to window coordinates and sets seen by the depth
  // drawn there. False, with seen false, when the point has no window
  // position (it lies in the camera's own plane).
  bool testOcclusion(const Camera& camera, float& windowX, float& windowY);
  // The brightness factor of the focus mode (1 without it).
  float focusFactor(const Camera& camera) const;
  // The main sprite and then the lens chain at the point's window position.
  void drawSprites(const Camera& camera, float windowX, float windowY);
};
