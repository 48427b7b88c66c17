#pragma once
// A file kept open and read at given places, from any thread: what a streamed tune plays from.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace jizdavo {

class OpenFile {
 public:
  // Raises "Cannot open file %s" when `path` cannot be opened for reading, "%s is not a plain file" for
  // a FIFO, device or folder (opened without waiting, so a FIFO cannot hold the game).
  static std::shared_ptr<const OpenFile> Open(const std::string& path);
  ~OpenFile();
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  // The size when it was opened.
  uint64_t Size() const { return size_; }
  // Reads from `offset` into `into`; returns the bytes read, fewer where the file ends (it may have
  // been cut since) or cannot be read.
  size_t ReadAt(uint64_t offset, std::span<uint8_t> into) const;
  // Asks the system to read these bytes ahead, without waiting for them.
  void ReadAhead(uint64_t offset, uint64_t length) const;

 private:
  OpenFile(int descriptor, uint64_t size) : descriptor_(descriptor), size_(size) {}
  int descriptor_;
  uint64_t size_;
};

}  // namespace jizdavo
