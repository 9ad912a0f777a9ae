// Oscillators and envelopes of the piece's instruments.
#include "instruments.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace musicgen {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kPi = 3.141592653589793;

double raisedCosine(double x) { return 0.5 - 0.5 * std::cos(kPi * std::clamp(x, 0.0, 1.0)); }

double padEnvelope(const PadNote& note, double t) {
  if (t < note.attack) return raisedCosine(t / note.attack);
  t -= note.attack + note.hold;
  if (t < 0.0) return 1.0;
  return 1.0 - raisedCosine(t / note.release);
}

double padLength(const PadNote& note) { return note.attack + note.hold + note.release; }

double loopSeconds(const LoopBuffer& out) { return double(out.frames()) / kSampleRate; }

// How bright the pads are at a time: two slow swells per loop.
double brightness(double seconds, double loopLength) {
  return 0.35 + 0.3 * std::sin(kTwoPi * 2.0 * seconds / loopLength + 0.8);
}

}  // namespace

PanGains panGains(double pan) {
  double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * kPi / 4.0;
  return {float(std::cos(angle) * std::sqrt(2.0)), float(std::sin(angle) * std::sqrt(2.0))};
}

void renderPad(LoopBuffer& out, const PadNote& note, const Wavetable& dark, const Wavetable& bright) {
  struct Oscillator {
    double cents;
    double pan;
    double driftRate;    // Hz of the slow pitch drift
    double phaseOffset;  // cycles
  };
  constexpr Oscillator kOscillators[] = {{-7.0, -0.7, 0.11, 0.0}, {0.0, 0.0, 0.07, 0.37}, {6.0, 0.7, 0.13, 0.71}};
  constexpr double kDriftDepth = 0.0009;  // relative pitch, about 1.5 cents
  constexpr std::size_t kControlFrames = 32;  // brightness and drift change this slowly

  const std::size_t first = secondsToFrames(note.start);
  const std::size_t count = secondsToFrames(padLength(note));
  const double loopLength = loopSeconds(out);
  for (const Oscillator& oscillator : kOscillators) {
    const PanGains gains = panGains(oscillator.pan);
    const double frequency = note.frequency * std::pow(2.0, oscillator.cents / 1200.0);
    const double driftPhase = kTwoPi * (note.phaseSeed + oscillator.phaseOffset);
    double phase = note.phaseSeed + oscillator.phaseOffset;
    double mix = 0.0;
    double step = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
      const double t = double(i) / kSampleRate;
      if (i % kControlFrames == 0) {
        mix = brightness(note.start + t, loopLength);
        step = frequency * (1.0 + kDriftDepth * std::sin(kTwoPi * oscillator.driftRate * t + driftPhase)) / kSampleRate;
      }
      const double wave = (1.0 - mix) * dark.at(phase) + mix * bright.at(phase);
      const double value = wave * padEnvelope(note, t) * note.level / 3.0;
      out.add(first + i, float(value * gains.left), float(value * gains.right));
      phase += step;
    }
  }
}

void renderBass(LoopBuffer& out, const PadNote& note) {
  const std::size_t first = secondsToFrames(note.start);
  const std::size_t count = secondsToFrames(padLength(note));
  for (std::size_t i = 0; i < count; ++i) {
    const double t = double(i) / kSampleRate;
    const double phase = kTwoPi * note.frequency * t;
    const double wave = std::sin(phase) + 0.22 * std::sin(2.0 * phase) + 0.06 * std::sin(3.0 * phase);
    const float value = float(wave * padEnvelope(note, t) * note.level);
    out.add(first + i, value, value);
  }
}

void renderBell(LoopBuffer& out, const BellNote& note) {
  struct Partial {
    double ratio;
    double level;
    double decayScale;  // higher partials fade sooner
  };
  constexpr Partial kPartials[] = {{1.0, 1.0, 1.0}, {2.0, 0.3, 0.6}, {3.003, 0.1, 0.4}};
  constexpr double kAttack = 0.25;
  constexpr double kDecays = 6.0;  // the note lasts until its level is e^-6

  const PanGains gains = panGains(note.pan);
  const std::size_t first = secondsToFrames(note.start);
  const std::size_t count = secondsToFrames(kAttack + kDecays * note.decay);
  std::vector<double> value(count, 0.0);
  for (const Partial& partial : kPartials) {
    // sin(w n) by its two-term recurrence, the decay by a constant factor.
    const double w = kTwoPi * note.frequency * partial.ratio / kSampleRate;
    const double twiceCos = 2.0 * std::cos(w);
    const double fallPerFrame = std::exp(-1.0 / (kSampleRate * note.decay * partial.decayScale));
    double previous = -std::sin(w);
    double current = 0.0;
    double fall = partial.level;
    for (std::size_t i = 0; i < count; ++i) {
      value[i] += fall * current;
      const double next = twiceCos * current - previous;
      previous = current;
      current = next;
      fall *= fallPerFrame;
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    const double v = value[i] * raisedCosine(double(i) / kSampleRate / kAttack) * note.level;
    out.add(first + i, float(v * gains.left), float(v * gains.right));
  }
}

void renderDrone(LoopBuffer& out, double frequency, double level) {
  // Whole cycles per loop for the root and its fifth, so both join unbroken.
  const double rootCycles = std::round(frequency * loopSeconds(out));
  const double fifthCycles = std::round(1.5 * frequency * loopSeconds(out));
  for (std::size_t i = 0; i < out.frames(); ++i) {
    const double position = double(i) / double(out.frames());  // 0..1 through the loop
    const double swell = 0.55 - 0.45 * std::cos(kTwoPi * position);
    const double wave = std::sin(kTwoPi * rootCycles * position) + 0.3 * std::sin(kTwoPi * fifthCycles * position);
    const float value = float(level * swell * wave);
    out.add(i, value, value);
  }
}

}  // namespace musicgen
