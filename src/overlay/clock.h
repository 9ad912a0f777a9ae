// The digit readouts over the picture: the frame counter in the top-left
// corner and the clock at the bottom right, both in the digit font.
#pragma once

#include <string>

// The count formatted with "%d" at (4, 558), inside the frame's 2D section.
void drawFrameRate(int framesPerSecond);

// The local time in its own 2D section, 12- or 24-hour by TimeFormat.
void drawClock();
// The same for a given time of day (hour 0 to 23).
void drawClockTime(int hour, int minute, int second);

// The clock's text: "hh:mm:ss", each field with a leading 0 below 10. The
// 12-hour clock turns hour 0 into 12 and hours above 12 into the afternoon,
// and appends the marker glyph ';' before noon or '<' from noon on.
std::string clockText(int hour, int minute, int second, bool twelveHour);
