// The chords, the bass line and the bell pattern of the piece.
#include "score.h"

#include <cmath>
#include <vector>

#include "instruments.h"
#include "random.h"
#include "wavetable.h"

namespace musicgen {

namespace {

constexpr double kChordSeconds = 9.0;
constexpr int kChordCount = 8;

struct Chord {
  int bass;       // MIDI note of the bass
  int upper[4];   // MIDI notes of the pad
};

// Dmaj9, Bm11, Gmaj7#11, Asus2, F#m7, Gmaj9, Em9, A7sus4: back to D at the loop.
constexpr Chord kChords[kChordCount] = {
    {38, {57, 61, 64, 66}}, {35, {54, 57, 62, 64}}, {43, {54, 59, 61, 66}}, {45, {52, 57, 59, 64}},
    {42, {57, 61, 64, 69}}, {43, {54, 57, 59, 62}}, {40, {55, 59, 62, 66}}, {45, {52, 55, 62, 64}},
};

constexpr double kPadLevel = 0.16;
constexpr double kBassLevel = 0.22;
constexpr double kDroneLevel = 0.05;
constexpr double kAttack = 3.0;
constexpr double kRelease = 4.5;
// Each chord holds into the next one's attack; the last one lets go early,
// so the loop point falls in a breath between phrases.
constexpr double kHold = kChordSeconds - kAttack + 1.5;
constexpr double kLastHold = 1.0;
constexpr double kNoteStagger = 0.35;  // the pad's notes enter one by one

constexpr double kBellsFrom = 2.0;
constexpr double kBellsUntil = 64.0;

double midiFrequency(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

void renderChords(LoopBuffer& body, datagen::Random& random) {
  const Wavetable dark = darkPadTable();
  const Wavetable bright = brightPadTable();
  for (int c = 0; c < kChordCount; ++c) {
    const Chord& chord = kChords[c];
    const double start = c * kChordSeconds;
    const double hold = c == kChordCount - 1 ? kLastHold : kHold;
    renderBass(body, {start, midiFrequency(chord.bass), kAttack, hold, kRelease, kBassLevel, 0.0});
    for (int n = 0; n < 4; ++n) {
      const double entry = n * kNoteStagger;
      PadNote note{start + entry, midiFrequency(chord.upper[n]), kAttack, hold - entry, kRelease, kPadLevel,
                   random.uniform()};
      renderPad(body, note, dark, bright);
    }
  }
}

// The chord sounding at a time of the loop.
const Chord& chordAt(double seconds) {
  int index = int(seconds / kChordSeconds);
  return kChords[index < kChordCount ? index : kChordCount - 1];
}

// Sparse bells on the tones of the chord below, two octaves up, at
// irregular but unhurried intervals.
void renderBells(LoopBuffer& bells, datagen::Random& random) {
  for (double time = kBellsFrom; time < kBellsUntil; time += random.range(0.9, 2.6)) {
    const Chord& chord = chordAt(time);
    const int tone = chord.upper[random.below(4)] + (random.uniform() < 0.6 ? 24 : 12);
    BellNote note{time, midiFrequency(tone), random.range(0.12, 0.22), random.range(-0.8, 0.8),
                  random.range(1.2, 2.4)};
    renderBell(bells, note);
  }
}

}  // namespace

DryStems renderScore(std::uint64_t seed) {
  datagen::Random random(seed);
  DryStems stems{LoopBuffer(secondsToFrames(kLoopSeconds)), LoopBuffer(secondsToFrames(kLoopSeconds))};
  renderChords(stems.body, random);
  renderDrone(stems.body, midiFrequency(38.0), kDroneLevel);
  renderBells(stems.bells, random);
  return stems;
}

}  // namespace musicgen
