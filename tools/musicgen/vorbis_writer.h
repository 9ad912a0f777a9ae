// Encoding a stereo loop as an Ogg Vorbis file in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "loop_buffer.h"

namespace musicgen {

// Variable bit rate at a libvorbisenc quality (-0.1 to 1.0). The stream's
// serial number is fixed, so the same loop always gives the same bytes.
// False with a reason when the encoder refuses.
bool encodeVorbis(const LoopBuffer& loop, float quality, std::vector<std::uint8_t>& out, std::string& error);

}  // namespace musicgen
