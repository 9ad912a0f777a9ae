// Drawing the loading screen.
#include "overlay/loading_screen.h"

#include <GL/gl.h>

#include <algorithm>

#include "math/vector3.h"
#include "overlay/draw_2d.h"
#include "overlay/overlay_textures.h"
#include "resources/texture.h"

namespace {

constexpr float kIconRadius = 180.0f;
constexpr float kIconTurnDegrees = 40.0f;  // clockwise, from straight up

}  // namespace

float loadingIconAlpha(int progress, int icon) {
  const float alpha = static_cast<float>(progress - kLoadingIconSteps * icon) / kLoadingIconSteps;
  return std::clamp(alpha, 0.0f, 1.0f);
}

void drawLoadingScreen(int progress) {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  const bool hasCentreImage = signSet.size() > 0;
  if (hasCentreImage) glBindTexture(GL_TEXTURE_2D, signSet[0].texture);
  begin2D();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  if (hasCentreImage) drawQuadCentered(400.0f, 300.0f, 100.0f, 100.0f);

  glBindTexture(GL_TEXTURE_2D, loadingPicture);
  drawQuadCentered(400.0f, 60.0f, 100.0f, 100.0f);

  // The entries after the first, at most nine.
  const int icons = static_cast<int>(std::min<std::size_t>(signSet.size() > 0 ? signSet.size() - 1 : 0,
                                                           kMaxLoadingIcons));
  Vector3 offset(0.0f, kIconRadius, 0.0f);
  for (int k = 0; k < icons; ++k) {
    glBindTexture(GL_TEXTURE_2D, signSet[static_cast<std::size_t>(k) + 1].texture);
    glColor4f(1.0f, 1.0f, 1.0f, loadingIconAlpha(progress, k));
    drawQuadCentered(400.0f + offset.x, 300.0f + offset.y, 50.0f, 50.0f);
    rotateAboutAxis(offset, Vector3(0.0f, 0.0f, 1.0f), kIconTurnDegrees);
  }
  end2D();
}
