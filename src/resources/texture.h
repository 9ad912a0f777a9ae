// Textures found by their archive path: the `Texture` entry, the ordered
// `TextureSet`, the two global sets filled at startup and their list loader.
//
// A list entry ("texture.txt", "sign.txt") names one picture per line, up to
// a line beginning with "END_TEXT"; each name becomes a Texture whose path is
// "textures\" + name, found afterwards with TextureSet::find by that full
// path. Textures are made with the OpenGL context current and are never
// deleted: they live as long as the context.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class Texture {
 public:
  static constexpr std::size_t kPathCapacity = 32;
  static constexpr const char* kPathPrefix = "textures\\";
  // The longest name whose path fits: 31 characters less the prefix.
  static constexpr std::size_t kMaxNameLength = 22;

  Texture() = default;
  virtual ~Texture() = default;  // the OpenGL texture outlives the entry

  // Sets the path to "textures\<name>" and loads it by the name's last three
  // characters: "jpg" or "JPG" with loadJpegTexture, "tga" or "TGA" with
  // loadTgaTexture; any other ending leaves texture 0. A name longer than
  // kMaxNameLength is refused whole: path empty, texture 0.
  void load(const char* name);

  std::uint32_t texture = 0;  // the OpenGL texture name; 0 without a picture
  char path[kPathCapacity] = {};
};

// Textures in list order; entries are appended and never removed or moved.
class TextureSet {
 public:
  void append(std::unique_ptr<Texture> texture);
  // The first entry whose path equals `path` exactly, or null.
  const Texture* find(const char* path) const;
  std::size_t size() const { return entries_.size(); }
  // Forgets every entry (their OpenGL textures go with the context).
  void clear() { entries_.clear(); }
  const Texture& operator[](std::size_t index) const { return *entries_[index]; }

 private:
  std::vector<std::unique_ptr<Texture>> entries_;
};

// The texture registry, from "texture.txt": every world object's texture.
extern TextureSet textureRegistry;
// The sign set, from "sign.txt": the sign text's pictures.
extern TextureSet signSet;

// Appends one Texture per name of the list entry, in order, up to a line
// whose first 8 characters are "END_TEXT" or the end of the data; only the
// first word of a line counts and lines without a word are skipped. With
// `progress`, sends the loading-progress message after each texture.
void loadTextureSet(TextureSet& set, const char* listEntry, bool progress);
