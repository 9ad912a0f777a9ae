// The 2D canvas in window pixels (the flares draw in it).
#include "overlay/draw_2d.h"
#include "overlay/ortho_section.h"
#include "shell/settings.h"

void beginPixel2D() { beginOrthoSection(settings::Width, settings::Height); }

void endPixel2D() { endOrthoSection(); }
