// libvorbisenc's analysis loop, writing every page into a byte vector.
#include "vorbis_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace musicgen {

namespace {

constexpr int kSerialNumber = 0x56544d31;
constexpr std::size_t kBlockFrames = 1024;

void appendPage(const ogg_page& page, std::vector<std::uint8_t>& out) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

// Takes every finished block from the encoder and writes the pages it fills.
void drainEncoder(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream,
                  std::vector<std::uint8_t>& out) {
  while (vorbis_analysis_blockout(&dsp, &block) == 1) {
    vorbis_analysis(&block, nullptr);
    vorbis_bitrate_addblock(&block);
    ogg_packet packet;
    while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
      ogg_stream_packetin(&stream, &packet);
      ogg_page page;
      while (ogg_stream_pageout(&stream, &page) != 0) appendPage(page, out);
    }
  }
}

}  // namespace

bool encodeVorbis(const LoopBuffer& loop, float quality, std::vector<std::uint8_t>& out, std::string& error) {
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 2, long(kSampleRate), quality) != 0) {
    vorbis_info_clear(&info);
    error = "the Vorbis encoder refuses this quality";
    return false;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_comment_add_tag(&comment, "TITLE", "Vantorel");
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, kSerialNumber);

  ogg_packet identification, comments, codebooks;
  vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
  ogg_stream_packetin(&stream, &identification);
  ogg_stream_packetin(&stream, &comments);
  ogg_stream_packetin(&stream, &codebooks);
  ogg_page page;
  // The headers get pages of their own, so audio starts on a fresh page.
  while (ogg_stream_flush(&stream, &page) != 0) appendPage(page, out);

  for (std::size_t first = 0; first < loop.frames(); first += kBlockFrames) {
    const std::size_t count = std::min(kBlockFrames, loop.frames() - first);
    float** buffer = vorbis_analysis_buffer(&dsp, int(count));
    for (std::size_t i = 0; i < count; ++i) {
      buffer[0][i] = loop.left(first + i);
      buffer[1][i] = loop.right(first + i);
    }
    vorbis_analysis_wrote(&dsp, int(count));
    drainEncoder(dsp, block, stream, out);
  }
  vorbis_analysis_wrote(&dsp, 0);  // end of stream
  drainEncoder(dsp, block, stream, out);
  while (ogg_stream_flush(&stream, &page) != 0) appendPage(page, out);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return true;
}

}  // namespace musicgen
