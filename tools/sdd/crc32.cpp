// Table-driven CRC-32.
#include "crc32.h"

#include <array>

namespace rar {
namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;

constexpr std::array<std::uint32_t, 256> makeTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t value = n;
    for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? kPolynomial ^ (value >> 1) : value >> 1;
    table[n] = value;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kTable = makeTable();

}  // namespace

std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size, std::uint32_t crc) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = kTable[(crc ^ bytes[i]) & 0xFFu] ^ (crc >> 8);
  return ~crc;
}

}  // namespace rar
