// The clock: its text and its drawing.
#include "overlay/clock.h"

#include <GL/gl.h>

#include <cstdio>
#include <ctime>

#include "overlay/draw_2d.h"
#include "shell/settings.h"

namespace {

// "0%d" below 10, else "%d", followed by the separator.
void appendField(std::string& text, int value, const char* separator) {
  char field[16];
  std::snprintf(field, sizeof field, value < 10 ? "0%d%s" : "%d%s", value, separator);
  text += field;
}

}  // namespace

std::string clockText(int hour, int minute, int second, bool twelveHour) {
  bool pm = hour == 12;
  if (twelveHour) {
    if (hour == 0) {
      hour = 12;
    } else if (hour > 12) {
      hour -= 12;
      pm = true;
    }
  }
  std::string text;
  appendField(text, hour, ":");
  appendField(text, minute, ":");
  appendField(text, second, "");
  if (twelveHour) text += pm ? '<' : ';';
  return text;
}

void drawClockTime(int hour, int minute, int second) {
  begin2D();
  glLoadIdentity();
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_ALWAYS, 0.0f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glBindTexture(GL_TEXTURE_2D, digitFont.texture);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  const std::string text = clockText(hour, minute, second, settings::TimeFormat != 0);
  glEnable(GL_BLEND);
  drawDigits(525, 2, text.c_str());
  end2D();
}

void drawClock() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);  // one thread: the static result is safe
  if (!local) return;
  drawClockTime(local->tm_hour, local->tm_min, local->tm_sec);
}
