// The section both 2D projections share: an orthographic projection of the
// given extent over the whole window, depth test and lighting off.
#pragma once

// Pushes both matrices and leaves the modelview matrix current (identity).
void beginOrthoSection(double width, double height);
// Pops both matrices (the modelview matrix must be current), returns to the
// modelview matrix and turns depth test and lighting back on. The viewport
// stays as beginOrthoSection set it.
void endOrthoSection();
