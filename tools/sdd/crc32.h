// The CRC-32 of zlib and PKZIP (reflected polynomial 0xEDB88320), which RAR
// uses for its data and, cut to the low 16 bits, for its block headers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rar {

// Continues `crc` (0 to start) over size bytes.
std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size, std::uint32_t crc = 0);

}  // namespace rar
