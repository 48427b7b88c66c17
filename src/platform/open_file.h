#pragma once
// A file kept open and read at given places, from any thread: what a streamed tune plays from.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/plain_file.h"

namespace jizdavo {

class OpenFile {
 public:
  // Opened as OpenAssetFile opens (raising its errors).
  static std::shared_ptr<const OpenFile> Open(const std::string& path);
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  // The size when it was opened.
  uint64_t Size() const { return file_.size; }
  // Reads from `offset` into `into`; returns the bytes read, fewer where the file ends (it may have
  // been cut since) or cannot be read.
  size_t ReadAt(uint64_t offset, std::span<uint8_t> into) const;

 private:
  explicit OpenFile(AssetFile file) : file_(std::move(file)) {}
  AssetFile file_;
};

}  // namespace jizdavo
