// vt_musicgen OUT.ogg: composes, mixes and encodes the saver's music track.
// The same program always writes the same bytes.
#include <cstdio>
#include <string>
#include <vector>

#include "mixdown.h"
#include "output_file.h"
#include "score.h"
#include "vorbis_writer.h"

namespace {
constexpr std::uint64_t kScoreSeed = 0x4d55534943ull;
constexpr float kQuality = 0.35f;
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vt_musicgen OUT.ogg\n");
    return 2;
  }
  const musicgen::LoopBuffer loop = musicgen::mixDown(musicgen::renderScore(kScoreSeed));
  std::vector<std::uint8_t> bytes;
  std::string error;
  if (!musicgen::encodeVorbis(loop, kQuality, bytes, error) || !datagen::writeOutputFile(argv[1], bytes, error)) {
    std::fprintf(stderr, "vt_musicgen: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
