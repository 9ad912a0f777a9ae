// The loading screen, redrawn on every loading-progress message: the first
// sign picture in the centre, the loading picture below it, and up to nine
// further sign pictures fading in one after the other on a circle around the
// centre as the progress count grows.
#pragma once

// Draws into the cleared back buffer; the caller swaps.
void drawLoadingScreen(int progress);

// Icons fade in over this many progress steps each.
constexpr int kLoadingIconSteps = 33;
constexpr int kMaxLoadingIcons = 9;
// The opacity of icon k (0 to 8) at a progress count: (p - 33 k) / 33,
// clamped to 0..1.
float loadingIconAlpha(int progress, int icon);
