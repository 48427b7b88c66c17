#include "platform/open_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/error.h"

namespace jizdavo {

std::shared_ptr<const OpenFile> OpenFile::Open(const std::string& path) {
  // Without waiting, so that a pipe of that name cannot hold up start-up; refused below.
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) throw Error("Cannot open file " + path);
  struct stat status {};
  if (fstat(descriptor, &status) != 0) {
    close(descriptor);
    throw Error("Cannot open file " + path);
  }
  if (!S_ISREG(status.st_mode)) {
    close(descriptor);
    throw Error(path + " is not a plain file");
  }
  posix_fadvise(descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
  return std::shared_ptr<const OpenFile>(new OpenFile(descriptor, static_cast<uint64_t>(status.st_size)));
}

OpenFile::~OpenFile() { close(descriptor_); }

size_t OpenFile::ReadAt(uint64_t offset, std::span<uint8_t> into) const {
  size_t done = 0;
  while (done < into.size()) {
    const ssize_t got = pread(descriptor_, into.data() + done, into.size() - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

void OpenFile::ReadAhead(uint64_t offset, uint64_t length) const {
  posix_fadvise(descriptor_, static_cast<off_t>(offset), static_cast<off_t>(length), POSIX_FADV_WILLNEED);
}

}  // namespace jizdavo
