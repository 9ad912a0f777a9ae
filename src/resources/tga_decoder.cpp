// TGA decoding: the header, the colour map, raw and run-length pixel data,
// and the conversion of each stored pixel to its decoded layout.
#include "resources/tga_decoder.h"

#include <algorithm>
#include <cstring>

#include "platform/platform.h"
#include "resources/archive_file.h"

namespace {

enum TgaImageType : std::uint8_t {
  kColourMapped = 1,
  kTrueColour = 2,
  kGreyscale = 3,
  kColourMappedRle = 9,
  kTrueColourRle = 10,
  kGreyscaleRle = 11,
};

constexpr std::uint8_t kColourMapPresent = 1;
constexpr std::uint8_t kPaletteEntryBits = 24;
constexpr std::size_t kPaletteEntryBytes = 3;
constexpr std::uint8_t kRunPacketBit = 0x80;
constexpr std::uint8_t kPacketCountMask = 0x7F;
// Room for the pixels of a tiny entry's last packets beyond the per-byte bound.
constexpr std::uint64_t kPixelAllowance = 128;

int storedBytesPerPixel(int depth) { return depth / 8; }
int decodedBytesPerPixel(int depth) { return depth == 16 ? 3 : depth / 8; }

bool isRunLength(std::uint8_t type) {
  return type == kColourMappedRle || type == kTrueColourRle || type == kGreyscaleRle;
}

// The type and depth pairs that have a defined result.
bool isSupported(std::uint8_t type, int depth) {
  switch (type) {
    case kColourMapped:
    case kColourMappedRle:
    case kGreyscale:
    case kGreyscaleRle: return depth == 8;
    case kTrueColour:
    case kTrueColourRle: return depth == 16 || depth == 24 || depth == 32;
    default: return false;
  }
}

void convertPixel(const std::uint8_t* stored, int depth, std::uint8_t* decoded) {
  switch (depth) {
    case 32:  // B, G, R, A to R, G, B, A
      decoded[0] = stored[2];
      decoded[1] = stored[1];
      decoded[2] = stored[0];
      decoded[3] = stored[3];
      break;
    case 16: {  // 5 bits each of B, G, R, low first; the top bit is dropped
      const unsigned value = stored[0] | (stored[1] << 8);
      decoded[0] = static_cast<std::uint8_t>((value & 31) * 8);
      decoded[1] = static_cast<std::uint8_t>(((value >> 5) & 31) * 8);
      decoded[2] = static_cast<std::uint8_t>(((value >> 10) & 31) * 8);
      break;
    }
    default: std::memcpy(decoded, stored, storedBytesPerPixel(depth));
  }
}

std::uint8_t read8(ArchiveFile& file) {
  std::uint8_t byte = 0;
  file.read(&byte, 1);
  return byte;
}

std::uint16_t read16(ArchiveFile& file) {
  std::uint8_t bytes[2] = {};
  file.read(bytes, 2);
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

void readHeader(ArchiveFile& file, TgaImage& image) {
  image.identificationLength = read8(file);
  image.colourMapType = read8(file);
  image.imageType = read8(file);
  image.colourMapFirstIndex = read16(file);
  image.colourMapLength = read16(file);
  image.colourMapEntrySize = read8(file);
  image.origin = read16(file);
  image.origin = read16(file);
  image.width = read16(file);
  image.height = read16(file);
  image.depth = read8(file);
  image.imageDescriptor = read8(file);
}

// Uncompressed pixel data: as many pixels as the buffer holds, those beyond
// the end of the data left 0.
void decodeRaw(std::vector<std::uint8_t>& pixels, int depth, ArchiveFile& file) {
  const int storedBytes = storedBytesPerPixel(depth);
  const int decodedBytes = decodedBytesPerPixel(depth);
  const std::size_t count = pixels.size() / decodedBytes;
  std::vector<std::uint8_t> stored(count * storedBytes, 0);
  file.read(stored.data(), stored.size());
  for (std::size_t i = 0; i < count; ++i) {
    convertPixel(stored.data() + i * storedBytes, depth, pixels.data() + i * decodedBytes);
  }
}

void decodePixelData(std::vector<std::uint8_t>& pixels, const TgaImage& image, int depth, ArchiveFile& file) {
  if (isRunLength(image.imageType)) {
    decodeTgaRle(pixels, image.width, image.height, depth, file);
  } else {
    decodeRaw(pixels, depth, file);
  }
}

// Index bytes to palette entries; an index beyond the palette gives black.
std::vector<std::uint8_t> expandPalette(const std::vector<std::uint8_t>& indices,
                                        const std::vector<std::uint8_t>& palette) {
  const std::size_t entries = palette.size() / kPaletteEntryBytes;
  std::vector<std::uint8_t> pixels(indices.size() * kPaletteEntryBytes, 0);
  for (std::size_t i = 0; i < indices.size(); ++i) {
    if (indices[i] < entries) {
      std::memcpy(&pixels[i * kPaletteEntryBytes], &palette[indices[i] * kPaletteEntryBytes], kPaletteEntryBytes);
    }
  }
  return pixels;
}

bool fail(TgaImage& image) {
  image.palette = {};
  image.pixels = {};
  return false;
}

}  // namespace

void decodeTgaRle(std::vector<std::uint8_t>& pixels, int width, int height, int depth, ArchiveFile& file) {
  const int storedBytes = storedBytesPerPixel(depth);
  const int decodedBytes = decodedBytesPerPixel(depth);
  if (storedBytes < 1 || storedBytes > 4 || width <= 0 || height <= 0) return;
  const std::size_t total =
      std::min(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), pixels.size() / decodedBytes);

  std::size_t written = 0;
  auto readPixel = [&](std::uint8_t* decoded) {
    std::uint8_t stored[4] = {};
    file.read(stored, storedBytes);
    convertPixel(stored, depth, decoded);
  };
  while (written < total) {
    const std::uint8_t header = read8(file);
    if (file.atEnd()) break;
    const std::size_t count = std::min<std::size_t>((header & kPacketCountMask) + 1, total - written);
    std::uint8_t* out = pixels.data() + written * decodedBytes;
    if (header & kRunPacketBit) {
      std::uint8_t value[4] = {};
      readPixel(value);
      for (std::size_t i = 0; i < count; ++i) std::memcpy(out + i * decodedBytes, value, decodedBytes);
    } else {
      for (std::size_t i = 0; i < count; ++i) readPixel(out + i * decodedBytes);
    }
    written += count;
  }
}

bool decodeTga(const char* path, TgaImage& image) {
  image = TgaImage{};
  ArchiveFile file;
  if (!file.open(path)) return false;
  readHeader(file, image);
  file.seek(image.identificationLength, 1);

  const bool colourMapped = image.imageType == kColourMapped || image.imageType == kColourMappedRle;
  if (colourMapped) {
    if (image.colourMapType != kColourMapPresent || image.colourMapEntrySize != kPaletteEntryBits) return fail(image);
    image.palette.assign(image.colourMapLength * kPaletteEntryBytes, 0);
    file.read(image.palette.data(), image.palette.size());
  } else if (image.imageType != kTrueColour && image.imageType != kGreyscale && image.imageType != kTrueColourRle &&
             image.imageType != kGreyscaleRle) {
    return fail(image);
  }

  const int depth = image.depth;
  if (depth != 8 && depth != 16 && depth != 24 && depth != 32) {
    platform::messageBox("Unsupported image depth.", "TGA");
    return fail(image);
  }
  if (!isSupported(image.imageType, depth)) return fail(image);

  const std::uint64_t pixelCount = std::uint64_t{image.width} * image.height;
  const std::uint64_t producible = std::uint64_t{file.size()} * kMaxTgaPixelsPerEntryByte + kPixelAllowance;
  if (pixelCount == 0 || pixelCount > kMaxTgaPixels || pixelCount > producible) return fail(image);

  if (colourMapped) {
    std::vector<std::uint8_t> indices(pixelCount, 0);
    decodePixelData(indices, image, depth, file);
    image.pixels = expandPalette(indices, image.palette);
    image.palette = {};
    image.depth = 24;
  } else {
    image.pixels.assign(pixelCount * decodedBytesPerPixel(depth), 0);
    decodePixelData(image.pixels, image, depth, file);
    if (depth == 16) image.depth = 24;
  }
  return true;
}
