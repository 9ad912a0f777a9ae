// Display mode, pixel format, base OpenGL state, vertical sync and gamma.
#include "shell/gl_setup.h"

#include <GL/gl.h>

#include <cmath>

#include "shell/run_state.h"
#include "shell/settings.h"

void setDisplayMode() {
  platform::DisplayMode mode;
  mode.width = settings::Width;
  mode.height = settings::Height;
  mode.bitsPerPixel = settings::Depth;
  platform::changeDisplayMode(&mode);  // a refused mode is ignored
  platform::showCursor(false);
}

bool choosePixelFormat() {
  platform::PixelFormatRequest request;
  request.colorBits = 32;
  request.depthBits = 24;
  request.stencilBits = 8;
  request.doubleBuffer = true;
  return platform::choosePixelFormat(drawingContext, request);
}

float gammaExponent(std::int32_t gammaSetting) {
  return 1.0f - (static_cast<float>(gammaSetting) - 50.0f) / 50.0f * 0.5f;
}

bool setupGl() {
  const GLenum enabled[] = {GL_ALPHA_TEST, GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT0, GL_LIGHT1,
                            GL_BLEND,      GL_TEXTURE_2D, GL_NORMALIZE};
  for (GLenum capability : enabled) glEnable(capability);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glViewport(0, 0, settings::Width, settings::Height);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

  // A fixed 4:3 frustum, whatever the window's shape.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-53.333335f, 53.333335f, -40.0, 40.0, 80.0, 5000000.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHT0);

  glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
  const GLfloat noAmbient[] = {0.0f, 0.0f, 0.0f, 0.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);

  const GLfloat light1Position[] = {0.0f, 0.0f, 9100.0f, 1.0f};
  const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat black[] = {0.0f, 0.0f, 0.0f, 0.0f};
  glLightfv(GL_LIGHT1, GL_POSITION, light1Position);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT1, GL_SPECULAR, black);

  const GLfloat light0Diffuse[] = {0.3f, 0.3f, 0.3f, 1.0f};
  glLightfv(GL_LIGHT0, GL_DIFFUSE, light0Diffuse);
  glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 3.0f);
  glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 60.0f);
  glLightf(GL_LIGHT2, GL_QUADRATIC_ATTENUATION, 0.006f);

  platform::setSwapInterval(settings::VSync ? 1 : 0);  // no extension: unchanged
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glLineWidth(1.0f);
  glDisable(GL_LIGHT2);

  if (!settings::DefGamma) {
    const float g = gammaExponent(settings::Gamma);
    setGammaRamp(g, g, g);
  }
  return true;
}

void computeGammaChannel(float exponent, std::uint16_t (&channel)[256]) {
  for (int i = 0; i < 256; ++i) {
    const double value = std::pow(i / 256.0, static_cast<double>(exponent)) * 65536.0;
    // Exponents near 0 would reach 65536; keep the entry inside 16 bits.
    channel[i] = static_cast<std::uint16_t>(value >= 65535.0 ? 65535.0 : value);
  }
}

bool setGammaRamp(float red, float green, float blue) {
  platform::GammaRamp ramp;
  computeGammaChannel(red, ramp[0]);
  computeGammaChannel(green, ramp[1]);
  computeGammaChannel(blue, ramp[2]);
  return platform::setGammaRamp(drawingContext, ramp);
}
