#pragma once
// Files the game reads from its folders, opened as what they are: a regular file, or a link to one.
// Opening never waits (a FIFO with no writer would hold the game for ever) and reading stops at a
// bound (a link to /dev/zero, or a huge file, must not take all memory).

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace jizdavo {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      Close();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  ~FileDescriptor() { Close(); }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Closing can report a delayed write error, so callers that care check it.
  bool Close();

 private:
  int fd_;
};

enum class PlainFileState { Missing, Refused, Cut, Whole };

struct PlainFileBytes {
  PlainFileState state = PlainFileState::Missing;
  std::string bytes;  // the first `limit` bytes when Cut, empty when Missing or Refused
};

// A game file as opened, and what it is.
struct OpenedFile {
  FileDescriptor descriptor{-1};  // invalid when it could not be opened
  int error = 0;                  // why not (errno)
  struct stat status {};          // when opened
  bool Regular() const { return descriptor.Valid() && S_ISREG(status.st_mode); }
};

// Opens `path` with `flags` (O_RDONLY, O_RDWR | O_APPEND, O_CREAT | O_EXCL with `mode` ...) without
// waiting (a FIFO with no writer would block an ordinary open for ever) and looks at what it opened.
OpenedFile OpenPlainFile(const std::string& path, int flags, mode_t mode = 0);

// The bytes of an opened file from its start, up to `limit`, the buffer growing only as they come:
// Whole, Cut when longer than `limit`, Refused when it is not a regular file or a read fails.
PlainFileBytes ReadOpenedFile(const OpenedFile& file, size_t limit);

// `path` up to `limit` bytes: Missing when it (or its folder) is not there, Refused when it is not a
// regular file or cannot be read, Cut when longer than `limit`.
PlainFileBytes ReadPlainFile(const std::string& path, size_t limit);

// The whole of an asset file of at most `limit` bytes. Raises "Cannot open file <path>" when it is
// missing or unreadable, "<path> is not a plain file" for a FIFO, device or folder, and "<path> is
// larger than N MB" beyond the bound.
std::string ReadAssetFile(const std::string& path, size_t limit);

struct AssetFile {
  FileDescriptor descriptor;
  uint64_t size;  // when it was opened
};

// `path` opened for reading, without waiting, and checked to be a regular file; reads nothing. Raises
// as ReadAssetFile when it is not a regular file that can be opened.
AssetFile OpenAssetFile(const std::string& path);

// Bounds of the asset files: pictures and the pointer are a few hundred KB; a tune may be as long as
// ten minutes of CD-quality sound.
inline constexpr size_t kPictureFileLimit = 8u << 20;
inline constexpr size_t kTuneFileLimit = 600u * 44100 * 2 * 2 + (1u << 20);

}  // namespace jizdavo
