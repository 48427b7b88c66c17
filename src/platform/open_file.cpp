#include "platform/open_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace jizdavo {

std::shared_ptr<const OpenFile> OpenFile::Open(const std::string& path) {
  AssetFile file = OpenAssetFile(path);
  posix_fadvise(file.descriptor.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
  return std::shared_ptr<const OpenFile>(new OpenFile(std::move(file)));
}

size_t OpenFile::ReadAt(uint64_t offset, std::span<uint8_t> into) const {
  size_t done = 0;
  while (done < into.size()) {
    const ssize_t got = pread(file_.descriptor.Get(), into.data() + done, into.size() - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

}  // namespace jizdavo
