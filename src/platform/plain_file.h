#pragma once
// Files the game reads from its folders, opened as what they are: a regular file, or a link to one.
// Opening never waits (a FIFO with no writer would hold the game for ever) and reading stops at a
// bound (a link to /dev/zero, or a huge file, must not take all memory).

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
  ~FileDescriptor() { Close(); }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Closing can report a delayed write error, so callers that care check it.
  bool Close();

 private:
  int fd_;
};

// The flags every open of a game file carries.
int NonBlockingOpenFlags();

enum class PlainFileState { Missing, Refused, Cut, Whole };

struct PlainFileBytes {
  PlainFileState state = PlainFileState::Missing;
  std::string bytes;  // the first `limit` bytes when Cut, empty when Missing or Refused
};

// Up to `limit` + 1 bytes (so a longer file shows) of an open descriptor from its start into `bytes`,
// growing the buffer only as the bytes come; false on a read error.
bool ReadUpTo(int fd, size_t limit, size_t sizeHint, std::string& bytes);

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
