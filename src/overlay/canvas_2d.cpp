// The virtual 800 × 600 canvas every overlay draws in.
#include "overlay/draw_2d.h"
#include "overlay/ortho_section.h"

void begin2D() { beginOrthoSection(800.0, 600.0); }

void end2D() { endOrthoSection(); }
