// Decoding a whole Ogg Vorbis file held in memory into 16-bit stereo PCM.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace audio {

struct DecodedSound {
  std::vector<std::int16_t> samples;  // interleaved left, right
  std::uint32_t rate = 0;             // frames per second
  std::size_t frameCount() const { return samples.size() / 2; }
};

// The longest sound accepted, in frames (about 12.7 minutes at 44.1 kHz,
// 128 MiB of PCM): a bigger claim is refused rather than exhausting memory.
constexpr std::size_t kMaxDecodedFrames = std::size_t{1} << 25;

// Decodes every logical stream of the file in order. Mono is played on both
// sides; of more channels, the front left and right are kept. Refuses (false,
// out untouched) anything but a complete, intact stream: bad headers, a
// damaged page, a file cut short before its last page, streams of differing
// rates, no audio at all or more than kMaxDecodedFrames. The bytes are only
// read during the call.
bool decodeOggVorbis(const unsigned char* bytes, std::size_t length, DecodedSound& out);

}  // namespace audio
