#include "files/stored_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <set>
#include <mutex>
#include <system_error>
#include <utility>

#include "platform/error.h"

namespace jizdavo {

namespace fs = std::filesystem;

namespace {

Error UnableToWrite(const fs::path& file) { return Error("Unable to write to " + file.string()); }

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Closing can report a delayed write error, so callers that care check it.
  bool Close() {
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

// Opening never waits: a FIFO with no writer would block an ordinary open for ever.
constexpr int kOpenFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

bool IsRegularFile(int fd, struct stat& status) { return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode); }

bool WriteAll(int fd, std::string_view bytes, off_t offset) {
  while (!bytes.empty()) {
    const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
    offset += written;
  }
  return true;
}

// Up to `limit` + 1 bytes of `fd` from its start, growing the buffer only as the bytes come; nothing
// on a read error.
std::optional<std::string> ReadUpTo(int fd, size_t limit, size_t sizeHint) {
  std::string bytes(std::min(sizeHint, limit) + 1, '\0');
  size_t total = 0;
  while (total <= limit) {
    if (total == bytes.size()) bytes.resize(std::min(bytes.size() * 2, limit + 1));
    const ssize_t got = ::pread(fd, bytes.data() + total, bytes.size() - total, static_cast<off_t>(total));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    total += static_cast<size_t>(got);
  }
  bytes.resize(total);
  return bytes;
}

fs::path FolderOf(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

// Makes a rename inside `folder` survive a crash.
void SyncFolder(const fs::path& folder) {
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Valid()) ::fsync(dir.Get());
}

bool FillFile(int fd, std::string_view bytes, mode_t mode) {
  return ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes, 0) && ::fsync(fd) == 0;
}

// Writes `bytes` to a new file `temp`, on disk. Where the file system allows, the file is named only
// once it is whole, so a process killed while writing leaves nothing behind in the folder.
bool WriteNewFile(const fs::path& temp, std::string_view bytes, mode_t mode) {
  ::unlink(temp.c_str());  // left by a crash
  FileDescriptor unnamed(::open(FolderOf(temp).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
  const std::string unnamedPath = "/proc/self/fd/" + std::to_string(unnamed.Get());
  if (unnamed.Valid() && FillFile(unnamed.Get(), bytes, mode) &&
      ::linkat(AT_FDCWD, unnamedPath.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
    return unnamed.Close();
  }
  // File systems without unnamed files, or no /proc: a named file, removed again on failure.
  FileDescriptor named(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (named.Valid() && FillFile(named.Get(), bytes, mode) && named.Close()) return true;
  ::unlink(temp.c_str());
  return false;
}

// The name a replace renames over, and the permissions to keep: `file` itself, or the regular file a
// link there leads to, provided it is still the file the link opened. Nothing for anything else.
struct ReplaceTarget {
  fs::path path;
  mode_t mode = 0644;
};

std::optional<ReplaceTarget> TargetOf(const fs::path& file) {
  struct stat opened {};
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | kOpenFlags));
  if (!fd.Valid() && errno == ENOENT) return ReplaceTarget{file};  // missing, or a link to nowhere
  // A file we may not read can still be replaced; it is looked at by name, without opening it.
  const bool known = fd.Valid() ? ::fstat(fd.Get(), &opened) == 0 : ::stat(file.c_str(), &opened) == 0;
  if (!known || !S_ISREG(opened.st_mode)) return std::nullopt;
  const mode_t mode = opened.st_mode & 07777;
  struct stat entry {};
  if (::lstat(file.c_str(), &entry) == 0 && !S_ISLNK(entry.st_mode)) return ReplaceTarget{file, mode};
  std::error_code error;
  const fs::path target = fs::canonical(file, error);
  struct stat reached {};
  if (error || ::stat(target.c_str(), &reached) != 0 || reached.st_dev != opened.st_dev ||
      reached.st_ino != opened.st_ino) {
    return std::nullopt;
  }
  return ReplaceTarget{target, mode};
}

// The files of a folder that has them in memory, and the messages for the player. The game touches
// files from its one thread; the lock keeps the tests' helper threads honest too.
struct FileLayerState {
  std::mutex lock;
  std::optional<fs::path> memoryFolder;
  std::map<fs::path, std::string> memoryFiles;
  std::vector<std::string> messages;
  std::set<std::string> told;
};

FileLayerState& State() {
  static FileLayerState state;
  return state;
}

bool InMemory(const fs::path& file) {
  std::lock_guard<std::mutex> guard(State().lock);
  return State().memoryFolder && FolderOf(file) == *State().memoryFolder;
}

StoredContent ReadFromDisk(const fs::path& file, size_t limit) {
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | kOpenFlags));
  // A folder that is not there, or a file in place of the folder: nothing stored yet.
  if (!fd.Valid() && (errno == ENOENT || errno == ENOTDIR)) return {};
  struct stat status {};
  std::optional<std::string> bytes;
  if (fd.Valid() && IsRegularFile(fd.Get(), status)) {
    bytes = ReadUpTo(fd.Get(), limit, static_cast<size_t>(status.st_size));
  }
  if (!bytes) return {FileState::Refused, {}};
  if (bytes->size() <= limit) return {FileState::Whole, std::move(*bytes)};
  bytes->resize(limit);
  return {FileState::Cut, std::move(*bytes)};
}

// The in-memory copy of `file`, read from the folder the first time.
std::string& MemoryFile(const fs::path& file, size_t limit) {
  {
    std::lock_guard<std::mutex> guard(State().lock);
    auto found = State().memoryFiles.find(file);
    if (found != State().memoryFiles.end()) return found->second;
  }
  std::string bytes = ReadFromDisk(file, limit).bytes;
  std::lock_guard<std::mutex> guard(State().lock);
  return State().memoryFiles.try_emplace(file, std::move(bytes)).first->second;
}

}  // namespace

void TellPlayer(std::string message) {
  std::lock_guard<std::mutex> guard(State().lock);
  if (State().told.insert(message).second) State().messages.push_back(std::move(message));
}

void TellPlayerAbout(const fs::path& file, const StoredContent& content, size_t limit) {
  if (content.state == FileState::Refused) TellPlayer("Unable to read " + file.string());
  if (content.state == FileState::Cut) {
    TellPlayer("Only the first " + std::to_string(limit / 1024) + " KB of " + file.string() +
               " are read: the file is larger");
  }
}

std::vector<std::string> TakePlayerMessages() {
  std::lock_guard<std::mutex> guard(State().lock);
  return std::exchange(State().messages, {});
}

StoredContent ReadStoredFile(const fs::path& file, size_t limit) {
  if (!InMemory(file)) return ReadFromDisk(file, limit);
  const std::string& bytes = MemoryFile(file, limit);
  return {FileState::Whole, bytes.substr(0, limit)};
}

std::optional<std::string> ReadFile(const fs::path& file) {
  StoredContent content = ReadStoredFile(file, kBestTimesReadLimit);
  if (content.state == FileState::Missing || content.state == FileState::Refused) return std::nullopt;
  return std::move(content.bytes);
}

std::string ReadOrCreateFile(const fs::path& file, size_t limit) {
  StoredContent content = ReadStoredFile(file, limit);
  TellPlayerAbout(file, content, limit);
  if (content.state == FileState::Missing) {
    // O_EXCL: a link that leads nowhere is not followed to create its target.
    FileDescriptor create(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | kOpenFlags, 0644));
  }
  return std::move(content.bytes);
}

void ReplaceFileAtomically(const fs::path& file, std::string_view bytes) {
  if (InMemory(file)) {
    std::lock_guard<std::mutex> guard(State().lock);
    State().memoryFiles[file] = bytes;
    return;
  }
  const std::optional<ReplaceTarget> target = TargetOf(file);
  if (!target) throw UnableToWrite(file);
  // The game must be able to read back what it writes, so its owner may always read and write it.
  const mode_t mode = target->mode | S_IRUSR | S_IWUSR;
  // One fixed name per file: a crash between naming and renaming leaves at most this one behind, and
  // the next write takes it over.
  const fs::path temp = FolderOf(target->path) / ("." + target->path.filename().string() + ".new");
  if (!WriteNewFile(temp, bytes, mode)) throw UnableToWrite(file);
  if (::rename(temp.c_str(), target->path.c_str()) != 0) {
    ::unlink(temp.c_str());
    throw UnableToWrite(file);
  }
  SyncFolder(FolderOf(target->path));
}

void RemoveStoredFile(const fs::path& file) {
  if (InMemory(file)) {
    std::lock_guard<std::mutex> guard(State().lock);
    State().memoryFiles.erase(file);
    return;
  }
  ::unlink(file.c_str());
}

void AppendToFile(const fs::path& file, size_t limit,
                  const std::function<std::optional<AppendPlan>(std::string_view)>& plan) {
  if (InMemory(file)) {
    std::string& bytes = MemoryFile(file, limit);
    std::optional<AppendPlan> append = plan(bytes);
    if (!append) throw UnableToWrite(file);
    bytes.resize(std::min(append->keep, bytes.size()));
    bytes += append->bytes;
    return;
  }
  int opened = ::open(file.c_str(), O_RDWR | kOpenFlags);
  // O_EXCL: a link that leads nowhere is not followed to create its target.
  if (opened < 0 && errno == ENOENT) opened = ::open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | kOpenFlags, 0644);
  FileDescriptor fd(opened);
  struct stat status {};
  if (!fd.Valid() || !IsRegularFile(fd.Get(), status) || static_cast<size_t>(status.st_size) > limit) {
    throw UnableToWrite(file);
  }
  const std::optional<std::string> current = ReadUpTo(fd.Get(), limit, static_cast<size_t>(status.st_size));
  const std::optional<AppendPlan> append = current ? plan(*current) : std::nullopt;
  if (!append || append->keep > current->size()) throw UnableToWrite(file);
  const off_t keep = static_cast<off_t>(append->keep);
  if (keep < static_cast<off_t>(current->size()) && ::ftruncate(fd.Get(), keep) != 0) throw UnableToWrite(file);
  if (!WriteAll(fd.Get(), append->bytes, keep) || ::fsync(fd.Get()) != 0) {
    // A partly written record would put every later record out of step; drop it whole.
    if (::ftruncate(fd.Get(), keep) == 0) ::fsync(fd.Get());
    throw UnableToWrite(file);
  }
  if (!fd.Close()) throw UnableToWrite(file);
}

void KeepFolderInMemory(const fs::path& folder) {
  {
    std::lock_guard<std::mutex> guard(State().lock);
    State().memoryFolder = folder;
    State().memoryFiles.clear();
  }
  TellPlayer("Neither XDG_DATA_HOME nor HOME names a folder to keep your best times, progress and "
             "options in: they are kept only until the game closes");
}

}  // namespace jizdavo
