// The piece's instruments, each rendering one note into a loop buffer:
// detuned pads, a soft sine bass, bell-like shimmer notes and a low drone.
#pragma once

#include "loop_buffer.h"
#include "wavetable.h"

namespace musicgen {

// Pan from -1 (left) to 1 (right), equal power.
struct PanGains {
  float left;
  float right;
};
PanGains panGains(double pan);

struct PadNote {
  double start;      // seconds from the start of the piece
  double frequency;  // Hz
  double attack;     // seconds of the raised-cosine rise
  double hold;       // seconds at full level after the attack
  double release;    // seconds of the raised-cosine fall
  double level;
  double phaseSeed;  // 0..1, decorrelates the oscillators of equal notes
};

// Three slowly drifting, detuned oscillators spread across the stereo field;
// their timbre moves between the dark and the bright table with the piece's
// brightness, a function of time that repeats with the loop.
void renderPad(LoopBuffer& out, const PadNote& note, const Wavetable& dark, const Wavetable& bright);

// A rounded sine bass on the same envelope shape as the pads, in the centre.
void renderBass(LoopBuffer& out, const PadNote& note);

struct BellNote {
  double start;
  double frequency;
  double level;
  double pan;
  double decay;  // seconds for the level to fall by 1/e
};
// A soft-attack bell of three partials with an exponential decay.
void renderBell(LoopBuffer& out, const BellNote& note);

// A continuous low sine with a soft fifth, swelling once per loop from a
// tenth of its level at the loop point. Both frequencies are rounded to a
// whole number of cycles per loop so that the drone joins without a step.
void renderDrone(LoopBuffer& out, double frequency, double level);

}  // namespace musicgen
