// Texture entries, texture sets and the list loader.
#include "resources/texture.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "resources/archive_file.h"
#include "resources/load_progress.h"
#include "resources/texture_upload.h"

TextureSet textureRegistry;
TextureSet signSet;

namespace {

constexpr std::size_t kListLineCapacity = 128;
constexpr const char* kListTerminator = "END_TEXT";
constexpr std::size_t kListTerminatorLength = 8;

bool endsWith(const char* text, std::size_t length, const char* ending) {
  const std::size_t endingLength = std::strlen(ending);
  return length >= endingLength && std::strcmp(text + length - endingLength, ending) == 0;
}

}  // namespace

static_assert(std::char_traits<char>::length(Texture::kPathPrefix) + Texture::kMaxNameLength + 1 ==
              Texture::kPathCapacity);

void Texture::load(const char* name) {
  texture = 0;
  const std::size_t length = std::strlen(name);
  if (length > kMaxNameLength) {
    path[0] = '\0';
    return;
  }
  std::snprintf(path, sizeof path, "%s%s", kPathPrefix, name);
  if (endsWith(name, length, "jpg") || endsWith(name, length, "JPG")) {
    texture = loadJpegTexture(path);
  } else if (endsWith(name, length, "tga") || endsWith(name, length, "TGA")) {
    texture = loadTgaTexture(path);
  }
}

void TextureSet::append(std::unique_ptr<Texture> texture) { entries_.push_back(std::move(texture)); }

const Texture* TextureSet::find(const char* path) const {
  for (const auto& entry : entries_) {
    if (std::strcmp(entry->path, path) == 0) return entry.get();
  }
  return nullptr;
}

void loadTextureSet(TextureSet& set, const char* listEntry, bool progress) {
  ArchiveFile list;
  list.open(listEntry);
  char line[kListLineCapacity];
  for (;;) {
    const bool lineFeedEnded = list.readLine(line);
    if (std::strncmp(line, kListTerminator, kListTerminatorLength) == 0) break;
    char name[kListLineCapacity];
    if (std::sscanf(line, "%127s", name) == 1) {  // the first word; the rest is ignored
      auto texture = std::make_unique<Texture>();
      texture->load(name);
      if (progress) sendLoadProgress();
      set.append(std::move(texture));
    }
    if (!lineFeedEnded) break;
  }
}
