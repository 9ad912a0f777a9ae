// One entry of the data archive, read whole into memory and served as a
// read-only byte stream with the line reader every script loader uses.
//
// The archive itself is never kept open: each `open` unpacks the named entry
// of "data.sdd" in the current directory into a fresh buffer. Reads follow the
// stdio end-of-file convention: the position advances by every byte asked for,
// bytes are delivered only while it lies inside the data, and `atEnd` turns
// true once a read has gone past the last byte (the position is then beyond
// the size). Nothing ever reads outside the entry's buffer.
#pragma once

#include <cstddef>
#include <cstdint>

class ArchiveFile {
 public:
  // The archive every entry comes from, in the current directory.
  static constexpr const char* kArchiveName = "data.sdd";
  // Entry names are at most this long; longer ones are kept cut in `entryName`.
  static constexpr std::size_t kMaxNameLength = 99;

  ArchiveFile();
  virtual ~ArchiveFile();
  ArchiveFile(const ArchiveFile&) = delete;
  ArchiveFile& operator=(const ArchiveFile&) = delete;

  // Releases whatever the object held, remembers the name and unpacks that
  // entry. True on success with the position at 0; false leaves the object
  // closed (no data, size 0). Shows nothing either way.
  bool open(const char* name);
  // Frees the data and sets size and position to 0.
  void close();

  // True once a read has been attempted beyond the last byte.
  bool atEnd() const;

  // Reads one line: leading spaces skipped, carriage returns dropped, the line
  // feed consumed and not stored. At most capacity - 1 characters are kept
  // (the rest of a longer line is consumed) and the buffer is always
  // NUL-terminated when capacity > 0. True when a line feed ended the line,
  // false when the end of the data did.
  bool readLine(char* buffer, std::size_t capacity);
  template <std::size_t N>
  bool readLine(char (&buffer)[N]) {
    return readLine(buffer, N);
  }

  // Copies count bytes from the position and advances the position by count.
  // Bytes that would come from beyond the data are not delivered: those parts
  // of the destination keep their previous content.
  void read(void* destination, std::size_t count);
  // Does nothing once `atEnd` is true; otherwise the same as `read`.
  void readIfNotAtEnd(void* destination, std::size_t count);

  // Origin 0: from the start; 1: from the position; 2: back from the end
  // (size minus offset). Any other origin, or a result before the start,
  // leaves the position unchanged. A position past the size reads as the end
  // of the data (`atEnd` is true) until a seek brings it back.
  void seek(std::int32_t offset, int origin);

  const char* entryName() const { return entryName_; }
  const unsigned char* data() const { return data_; }
  std::uint32_t size() const { return size_; }
  std::uint32_t position() const { return position_; }

 private:
  // The next byte, or -1 past the end; advances the position either way.
  int readByte();
  void advance(std::uint64_t count);

  char entryName_[kMaxNameLength + 1];
  unsigned char* data_;  // from malloc, owned; null while closed
  std::uint32_t size_;
  std::uint32_t position_;
};
