#include "platform/plain_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/error.h"

namespace jizdavo {

bool FileDescriptor::Close() {
  if (fd_ < 0) return true;
  const bool ok = ::close(fd_) == 0;
  fd_ = -1;
  return ok;
}

int NonBlockingOpenFlags() { return O_NONBLOCK | O_NOCTTY | O_CLOEXEC; }

bool ReadUpTo(int fd, size_t limit, size_t sizeHint, std::string& bytes) {
  bytes.assign(std::min(sizeHint, limit) + 1, '\0');
  size_t total = 0;
  while (total <= limit) {
    if (total == bytes.size()) bytes.resize(std::min(bytes.size() * 2, limit + 1));
    const ssize_t got = ::pread(fd, bytes.data() + total, bytes.size() - total, static_cast<off_t>(total));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    total += static_cast<size_t>(got);
  }
  bytes.resize(total);
  return true;
}

PlainFileBytes ReadPlainFile(const std::string& path, size_t limit) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | NonBlockingOpenFlags()));
  // A folder that is not there, or a file in place of the folder: nothing stored yet.
  if (!fd.Valid() && (errno == ENOENT || errno == ENOTDIR)) return {};
  struct stat status {};
  PlainFileBytes read{PlainFileState::Refused, {}};
  if (!fd.Valid() || ::fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      !ReadUpTo(fd.Get(), limit, static_cast<size_t>(status.st_size), read.bytes)) {
    return {PlainFileState::Refused, {}};
  }
  read.state = PlainFileState::Whole;
  if (read.bytes.size() > limit) {
    read.bytes.resize(limit);
    read.state = PlainFileState::Cut;
  }
  return read;
}

namespace {

// Raises what stops an asset file from being read; nothing for a whole regular file.
void Refuse(const std::string& path, PlainFileState state, size_t limit) {
  switch (state) {
    case PlainFileState::Whole: return;
    case PlainFileState::Missing: throw Error("Cannot open file " + path);
    case PlainFileState::Refused: {
      struct stat status {};
      if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) throw Error(path + " is not a plain file");
      throw Error("Cannot open file " + path);
    }
    case PlainFileState::Cut: throw Error(path + " is larger than " + std::to_string(limit >> 20) + " MB");
  }
}

}  // namespace

std::string ReadAssetFile(const std::string& path, size_t limit) {
  PlainFileBytes read = ReadPlainFile(path, limit);
  Refuse(path, read.state, limit);
  return std::move(read.bytes);
}

AssetFile OpenAssetFile(const std::string& path) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | NonBlockingOpenFlags()));
  if (!fd.Valid()) Refuse(path, errno == ENOENT ? PlainFileState::Missing : PlainFileState::Refused, 0);
  struct stat status {};
  if (::fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode)) Refuse(path, PlainFileState::Refused, 0);
  return {std::move(fd), static_cast<uint64_t>(status.st_size)};
}

}  // namespace jizdavo
