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

OpenedFile OpenPlainFile(const std::string& path, int flags, mode_t mode) {
  OpenedFile file;
  file.descriptor = FileDescriptor(::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode));
  file.error = file.descriptor.Valid() ? 0 : errno;
  if (file.descriptor.Valid() && ::fstat(file.descriptor.Get(), &file.status) != 0) file.status = {};
  return file;
}

PlainFileBytes ReadOpenedFile(const OpenedFile& file, size_t limit) {
  if (!file.Regular()) return {PlainFileState::Refused, {}};
  std::string bytes(std::min(static_cast<size_t>(file.status.st_size), limit) + 1, '\0');
  size_t total = 0;
  while (total <= limit) {
    if (total == bytes.size()) bytes.resize(std::min(bytes.size() * 2, limit + 1));
    const ssize_t got =
        ::pread(file.descriptor.Get(), bytes.data() + total, bytes.size() - total, static_cast<off_t>(total));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return {PlainFileState::Refused, {}};
    if (got == 0) break;
    total += static_cast<size_t>(got);
  }
  bytes.resize(std::min(total, limit));
  return {total > limit ? PlainFileState::Cut : PlainFileState::Whole, std::move(bytes)};
}

PlainFileBytes ReadPlainFile(const std::string& path, size_t limit) {
  const OpenedFile file = OpenPlainFile(path, O_RDONLY);
  // A folder that is not there, or a file in place of the folder: nothing stored yet.
  if (file.error == ENOENT || file.error == ENOTDIR) return {};
  return ReadOpenedFile(file, limit);
}

namespace {

// Raises what stops an asset file from being read; nothing for a whole regular file.
void Refuse(const std::string& path, PlainFileState state, size_t limit) {
  switch (state) {
    case PlainFileState::Whole:
      return;
    case PlainFileState::Missing:
      throw Error("Cannot open file " + path);
    case PlainFileState::Refused: {
      struct stat status {};
      if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
        throw Error(path + " is not a plain file");
      throw Error("Cannot open file " + path);
    }
    case PlainFileState::Cut:
      throw Error(path + " is larger than " + std::to_string(limit >> 20) + " MB");
  }
}

}  // namespace

std::string ReadAssetFile(const std::string& path, size_t limit) {
  PlainFileBytes read = ReadPlainFile(path, limit);
  Refuse(path, read.state, limit);
  return std::move(read.bytes);
}

AssetFile OpenAssetFile(const std::string& path) {
  OpenedFile file = OpenPlainFile(path, O_RDONLY);
  if (!file.Regular())
    Refuse(path, file.error == ENOENT ? PlainFileState::Missing : PlainFileState::Refused, 0);
  return {std::move(file.descriptor), static_cast<uint64_t>(file.status.st_size)};
}

}  // namespace jizdavo
