// The saver's fonts step: both fonts, built once while it loads.
#include "overlay/draw_2d.h"

void buildFonts() {
  buildDigitFont();
  buildTextFont();
}
