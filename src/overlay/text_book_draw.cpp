// Drawing a text book: the panel hanging from the upper left, the lines of
// text, the destination's picture, and while the text fades in an echo of
// both that converges from a blur.
#include <GL/gl.h>

#include <cstdio>

#include "direction/scene_clock.h"
#include "overlay/draw_2d.h"
#include "overlay/overlay_textures.h"
#include "overlay/text_book.h"
#include "resources/texture.h"

namespace {

constexpr float kPictureX = 280.0f;
constexpr float kPictureY = 535.0f;
constexpr float kPictureHalfSize = 40.0f;

// The picture of the book in the sign set: "textures\sign\<name>.jpg".
const Texture* signPicture(const char* name) {
  char path[sizeof "textures\\sign\\" + TextBook::kNameCapacity + sizeof ".jpg"];
  std::snprintf(path, sizeof path, "textures\\sign\\%s.jpg", name);
  return signSet.find(path);
}

void drawLines(const TextBook& book, float dx, float dy) {
  float lineY = book.y;
  for (const std::string& line : book.lines) {
    glRasterPos2f(book.x + dx, lineY + dy);
    drawText(line.c_str());
    lineY -= TextBook::kLineSpacing;
  }
}

void drawPicture(const Texture& picture, float dx, float dy) {
  glBindTexture(GL_TEXTURE_2D, picture.texture);
  drawQuadCentered(kPictureX + dx, kPictureY + dy, kPictureHalfSize, kPictureHalfSize);
}

// Four copies around the sharp one, e units away: right, left, up, down.
constexpr float kEchoDirections[4][2] = {{1.0f, 0.0f}, {-1.0f, 0.0f}, {0.0f, 1.0f}, {0.0f, -1.0f}};

void drawEcho(const TextBook& book, const Texture* picture, float e) {
  if (picture) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_TEXTURE_2D);
    for (const auto& d : kEchoDirections) drawPicture(*picture, d[0] * e, d[1] * e);
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  for (const auto& d : kEchoDirections) drawLines(book, d[0] * e, d[1] * e);
}

}  // namespace

void TextBook::draw() {
  glLoadIdentity();
  const TextBookFrame frame = animateTextBook(*this, sceneClock);
  panelWidth = frame.panelWidth;
  panelHeight = frame.panelHeight;
  visible = frame.visible;
  if (!visible) return;
  const float a = frame.alpha;

  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glBindTexture(GL_TEXTURE_2D, panelTexture);
  drawQuadInset(x - 30.0f, y + 20.0f, panelWidth, -panelHeight, 0.0f);  // hangs down and right

  glDisable(GL_TEXTURE_2D);
  glColor4f(0.85f, 0.9f, 1.0f, a);
  const Texture* picture = signPicture(name);
  drawLines(*this, 0.0f, 0.0f);

  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  if (picture) {
    glEnable(GL_TEXTURE_2D);
    drawPicture(*picture, 0.0f, 0.0f);
    glDisable(GL_TEXTURE_2D);
  }
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (a < 1.0f) drawEcho(*this, picture, (1.0f - a) * 2.0f);

  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_TEXTURE_2D);
}
