// Drawing layers in the 2D canvas: the state a draw leaves, the quad and its
// texture coordinates (through OpenGL feedback), the noise shift, the two
// blend functions on real pixels, and layers that are not drawn.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "hud_test_support.h"
#include "shell/gl_setup.h"

namespace hud_test {
namespace {

// One vertex of the feedback buffer: window x, y, colour and the texture
// coordinates after the texture matrix.
struct FedVertex {
  float x, y, r, g, b, a, s, t;
};

class HudDrawTest : public HudTest {
 protected:
  void SetUp() override {
    HudTest::SetUp();
    settings::Width = kWindowSize;
    settings::Height = kWindowSize;
    settings::DefGamma = 1;
    setupGl();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);  // as the frame sets it before the layers
    enterCanvas(kWindowSize, kWindowSize);
  }

  void TearDown() override {
    leaveCanvas();
    HudTest::TearDown();
  }

  // Every vertex that one draw sends, polygon by polygon.
  static std::vector<FedVertex> feedback(HudLayer& layer) {
    std::vector<GLfloat> buffer(4096);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    layer.draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<FedVertex> vertices;
    for (GLint at = 0; at < used;) {
      const auto token = static_cast<GLint>(buffer[at++]);
      const GLint count = token == GL_POLYGON_TOKEN ? static_cast<GLint>(buffer[at++]) : 1;
      for (GLint k = 0; k < count; ++k, at += 11) {  // x, y, z, r, g, b, a, s, t, r, q
        const GLfloat* v = &buffer[at];
        vertices.push_back({v[0], v[1], v[3], v[4], v[5], v[6], v[7], v[8]});
      }
    }
    return vertices;
  }

  // Window coordinates of a canvas point on the test window.
  static float windowX(float canvasX) { return canvasX * kWindowSize / 800.0f; }
  static float windowY(float canvasY) { return canvasY * kWindowSize / 600.0f; }

  static std::vector<float> textureMatrix() {
    std::vector<float> m(16);
    glGetFloatv(GL_TEXTURE_MATRIX, m.data());
    return m;
  }

  static std::vector<int> pixelAt(int x, int y) {
    std::uint8_t p[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
  }

  static GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
  }

  // A 2 × 2 RGBA texture of one colour.
  static GLuint plainTexture(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    const std::uint8_t texels[16] = {r, g, b, a, r, g, b, a, r, g, b, a, r, g, b, a};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
  }

  static void fillCanvas(HudLayer& layer) { layer.quad = HudQuad{0, 0, 800, 600}; }
};

struct StateCase {
  bool textured;
  bool alphaBlend;
};

TEST_F(HudDrawTest, DrawLeavesTexturingOnAndTheLayersBlendAndTextureMatrix) {
  const GLuint texture = plainTexture(255, 255, 255, 255);
  const StateCase cases[] = {{true, true}, {true, false}, {false, true}, {false, false}};
  for (const StateCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "textured " << c.textured << ", alpha blend " << c.alphaBlend);
    HudLayer layer;
    layer.textured = c.textured;
    layer.texture = texture;
    layer.alphaBlend = c.alphaBlend;
    layer.color = {0.25f, 0.5f, 0.75f, 0.5f};
    layer.tiling = {2.0f, 4.0f};
    layer.quad = {100, 100, 200, 100};
    glBindTexture(GL_TEXTURE_2D, 0);
    layer.draw();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), c.textured ? static_cast<GLint>(texture) : 0);
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integer(GL_BLEND_DST), c.alphaBlend ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
    EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
    const std::vector<float> m = textureMatrix();
    EXPECT_FLOAT_EQ(m[0], 2.0f);
    EXPECT_FLOAT_EQ(m[5], 4.0f);
    EXPECT_FLOAT_EQ(m[12], 0.0f);
    EXPECT_FLOAT_EQ(m[13], 0.0f);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[1], 0.5f);
    EXPECT_FLOAT_EQ(colour[3], 0.5f);
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_FLOAT_EQ(modelview[0], 1.0f);
    EXPECT_FLOAT_EQ(modelview[12], 0.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
}

TEST_F(HudDrawTest, QuadCoversItsRectangleWithTheTextureInsetAndTiled) {
  HudLayer layer;
  layer.textured = true;
  layer.texture = plainTexture(255, 255, 255, 255);
  layer.quad = {100, 60, 400, 300};
  layer.offset = 0.125f;
  layer.tiling = {2.0f, 3.0f};
  layer.color = {1.0f, 0.5f, 0.25f, 0.75f};
  const std::vector<FedVertex> vertices = feedback(layer);
  ASSERT_GE(vertices.size(), 4u);
  struct Corner {
    float x, y, s, t;
  };
  const Corner corners[] = {{100, 60, 0.125f * 2, 0.125f * 3},
                            {500, 60, 0.875f * 2, 0.125f * 3},
                            {500, 360, 0.875f * 2, 0.875f * 3},
                            {100, 360, 0.125f * 2, 0.875f * 3}};
  for (const Corner& corner : corners) {
    SCOPED_TRACE(testing::Message() << corner.x << ", " << corner.y);
    auto at = std::find_if(vertices.begin(), vertices.end(), [&](const FedVertex& v) {
      return std::fabs(v.x - windowX(corner.x)) < 1e-3f && std::fabs(v.y - windowY(corner.y)) < 1e-3f;
    });
    ASSERT_NE(at, vertices.end());
    EXPECT_NEAR(at->s, corner.s, 1e-5f);
    EXPECT_NEAR(at->t, corner.t, 1e-5f);
    EXPECT_NEAR(at->g, 0.5f, 1e-5f);
    EXPECT_NEAR(at->a, 0.75f, 1e-5f);
  }
  for (const FedVertex& v : vertices) {
    EXPECT_GE(v.x, windowX(100) - 1e-3f);
    EXPECT_LE(v.x, windowX(500) + 1e-3f);
  }
}

TEST_F(HudDrawTest, NoiseShiftsTheTextureByTwoFreshDrawsEveryFrame) {
  HudLayer layer;
  layer.noise = true;
  layer.tiling = {2.0f, 2.0f};
  layer.quad = {0, 0, 10, 10};
  for (std::uint32_t state : {12345u, 987654321u}) {
    seedRandom(state);
    const int first = randomInt();
    const int second = randomInt();
    const int after = randomInt();
    seedRandom(state);
    layer.draw();
    const std::vector<float> m = textureMatrix();
    EXPECT_FLOAT_EQ(m[12], static_cast<float>(second) / 32767.0f);  // x from the second draw
    EXPECT_FLOAT_EQ(m[13], static_cast<float>(first) / 32767.0f);   // y from the first
    EXPECT_FLOAT_EQ(m[0], 2.0f);
    EXPECT_EQ(randomInt(), after);  // exactly two draws
  }
}

TEST_F(HudDrawTest, HiddenLayersAndLayersBehindTheCameraDrawNothing) {
  HudLayer layer;
  layer.noise = true;
  fillCanvas(layer);
  layer.show = false;
  seedRandom(77);
  const int next = randomInt();
  seedRandom(77);
  EXPECT_TRUE(feedback(layer).empty());
  layer.show = true;
  layer.behindCamera = true;
  EXPECT_TRUE(feedback(layer).empty());
  EXPECT_EQ(randomInt(), next);  // no noise drawn for layers not drawn
  layer.behindCamera = false;
  EXPECT_FALSE(feedback(layer).empty());
}

TEST_F(HudDrawTest, AlphaBlendedLayersCoverTheFrameAndOthersAddToIt) {
  struct BlendCase {
    bool alphaBlend;
    std::vector<int> pixel;
  };
  const BlendCase cases[] = {{true, {128, 0, 128}}, {false, {255, 0, 128}}};
  for (const BlendCase& c : cases) {
    SCOPED_TRACE(c.alphaBlend);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    HudLayer layer;
    layer.alphaBlend = c.alphaBlend;
    layer.color = {0.0f, 0.0f, 1.0f, 0.5f};
    fillCanvas(layer);
    layer.draw();
    const std::vector<int> pixel = pixelAt(kWindowSize / 2, kWindowSize / 2);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(pixel[k], c.pixel[k], 2) << k;
  }
}

TEST_F(HudDrawTest, LayersAreDrawnInListOrderLaterOverEarlier) {
  const GLuint green = plainTexture(0, 255, 0, 255);
  HudLayer& below = addLayer("below");
  HudLayer& above = addLayer("above");
  for (HudLayer* layer : {&below, &above}) layer->alphaBlend = true;
  below.quad = {0, 0, 800, 600};  // untextured white
  above.quad = {0, 0, 400, 600};  // the left half, textured green
  above.textured = true;
  above.texture = green;
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  drawAllHudLayers();
  EXPECT_EQ(pixelAt(kWindowSize / 4, kWindowSize / 2), (std::vector<int>{0, 255, 0}));
  EXPECT_EQ(pixelAt(kWindowSize * 3 / 4, kWindowSize / 2), (std::vector<int>{255, 255, 255}));
}

}  // namespace
}  // namespace hud_test
