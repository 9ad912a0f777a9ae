// Ogg Vorbis from memory: a page scan that refuses damaged or cut files,
// then libvorbisfile over a memory reader, converted to 16-bit stereo.
#include "ogg_decoder.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

namespace audio {

namespace {

// True when the bytes are a run of intact pages whose last one ends a
// logical stream. Bytes that do not form a page are allowed only after such
// an end (tags some tools append); anywhere else they mean damage.
bool isCompleteOggFile(const unsigned char* bytes, std::size_t length) {
  constexpr std::size_t kChunk = 64 * 1024;
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  bool lastPageEnded = false;
  bool damaged = false;
  bool sawGap = false;
  std::size_t fed = 0;
  while (!damaged) {
    ogg_page page;
    int result = ogg_sync_pageout(&sync, &page);
    if (result == 1) {
      if (sawGap) damaged = true;
      lastPageEnded = ogg_page_eos(&page) != 0;
    } else if (result < 0) {
      if (!lastPageEnded) damaged = true;
      sawGap = true;
    } else if (fed < length) {
      std::size_t count = std::min(kChunk, length - fed);
      char* buffer = ogg_sync_buffer(&sync, static_cast<long>(count));
      if (buffer == nullptr) {
        damaged = true;
        break;
      }
      std::memcpy(buffer, bytes + fed, count);
      ogg_sync_wrote(&sync, static_cast<long>(count));
      fed += count;
    } else {
      break;
    }
  }
  ogg_sync_clear(&sync);
  return !damaged && lastPageEnded;
}

struct MemoryReader {
  const unsigned char* bytes;
  std::size_t length;
  std::size_t position;
};

std::size_t readMemory(void* destination, std::size_t size, std::size_t count, void* source) {
  auto* reader = static_cast<MemoryReader*>(source);
  if (size == 0) return 0;
  std::size_t available = reader->length - reader->position;
  std::size_t items = std::min(count, available / size);
  std::memcpy(destination, reader->bytes + reader->position, items * size);
  reader->position += items * size;
  return items;
}

int seekMemory(void* source, ogg_int64_t offset, int origin) {
  auto* reader = static_cast<MemoryReader*>(source);
  const auto length = static_cast<ogg_int64_t>(reader->length);
  ogg_int64_t base = 0;
  if (origin == SEEK_CUR) base = static_cast<ogg_int64_t>(reader->position);
  else if (origin == SEEK_END) base = length;
  else if (origin != SEEK_SET) return -1;
  // Compared before adding, so no offset can overflow.
  if (offset < -base || offset > length - base) return -1;
  reader->position = static_cast<std::size_t>(base + offset);
  return 0;
}

long tellMemory(void* source) { return static_cast<long>(static_cast<MemoryReader*>(source)->position); }

// Where the front right channel is in the Vorbis channel order.
int rightChannelIndex(int channels) {
  if (channels == 1) return 0;
  bool centreSecond = channels == 3 || (channels >= 5 && channels <= 8);
  return centreSecond ? 2 : 1;
}

std::int16_t toSample(float value) {
  float scaled = std::round(value * 32767.0f);
  return static_cast<std::int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

bool decodeStreams(OggVorbis_File& file, DecodedSound& out) {
  const vorbis_info* first = ov_info(&file, 0);
  if (first == nullptr || first->rate <= 0) return false;
  out.rate = static_cast<std::uint32_t>(first->rate);
  ogg_int64_t total = ov_pcm_total(&file, -1);
  if (total > ogg_int64_t(kMaxDecodedFrames)) return false;
  if (total > 0) out.samples.reserve(2 * std::size_t(total));

  int link = -1;
  for (;;) {
    float** channels = nullptr;
    int current = 0;
    long frames = ov_read_float(&file, &channels, 4096, &current);
    if (frames == 0) break;
    if (frames < 0) return false;  // a hole or a bad link: the data is damaged
    if (current != link) {
      const vorbis_info* info = ov_info(&file, current);
      if (info == nullptr || info->rate != first->rate) return false;
      link = current;
    }
    const vorbis_info* info = ov_info(&file, link);
    if (out.frameCount() + std::size_t(frames) > kMaxDecodedFrames) return false;
    const float* left = channels[0];
    const float* right = channels[rightChannelIndex(info->channels)];
    for (long i = 0; i < frames; ++i) {
      out.samples.push_back(toSample(left[i]));
      out.samples.push_back(toSample(right[i]));
    }
  }
  return out.frameCount() > 0;
}

}  // namespace

bool decodeOggVorbis(const unsigned char* bytes, std::size_t length, DecodedSound& out) {
  if (bytes == nullptr || length == 0 || !isCompleteOggFile(bytes, length)) return false;
  MemoryReader reader{bytes, length, 0};
  ov_callbacks callbacks{readMemory, seekMemory, nullptr, tellMemory};
  OggVorbis_File file;
  if (ov_open_callbacks(&reader, &file, nullptr, 0, callbacks) != 0) return false;
  DecodedSound decoded;
  bool ok = decodeStreams(file, decoded);
  ov_clear(&file);
  if (!ok) return false;
  decoded.samples.shrink_to_fit();
  out = std::move(decoded);
  return true;
}

}  // namespace audio
