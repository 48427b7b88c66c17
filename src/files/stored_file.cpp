#include "files/stored_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <map>
#include <set>
#include <mutex>
#include <system_error>
#include <utility>

#include "platform/error.h"
#include "platform/plain_file.h"

namespace jizdavo {

namespace fs = std::filesystem;

namespace {

Error UnableToWrite(const fs::path& file) { return Error("Unable to write to " + file.string()); }

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

fs::path FolderOf(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

// Makes a rename inside `folder` survive a crash.
void SyncFolder(const fs::path& folder) {
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Valid()) ::fsync(dir.Get());
}

// Ends a blocking call of the thread that made it with EINTR once `milliseconds` have passed: a
// signal sent to that thread alone (a signal to the process may go to any of its threads), whose
// handler does nothing and restarts nothing.
class Deadline {
 public:
  explicit Deadline(int milliseconds) {
    static const bool handled = [] {
      struct sigaction action {};
      action.sa_handler = [](int) {};
      ::sigemptyset(&action.sa_mask);
      return ::sigaction(Signal(), &action, nullptr) == 0;
    }();
    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = Signal();
#ifdef sigev_notify_thread_id
    event.sigev_notify_thread_id = ::gettid();
#else
    event._sigev_un._tid = ::gettid();  // this glibc names no macro for it
#endif
    armed_ = handled && ::timer_create(CLOCK_MONOTONIC, &event, &timer_) == 0;
    itimerspec when{};
    when.it_value.tv_sec = milliseconds / 1000;
    when.it_value.tv_nsec = milliseconds % 1000 * 1000000L;
    if (armed_) ::timer_settime(timer_, 0, &when, nullptr);
  }
  Deadline(const Deadline&) = delete;
  Deadline& operator=(const Deadline&) = delete;
  ~Deadline() {
    if (armed_) ::timer_delete(timer_);
  }

 private:
  static int Signal() { return SIGRTMIN + 3; }

  timer_t timer_{};
  bool armed_ = false;
};

// Takes the advisory lock every copy of the game takes on `fd` before it reads what it is about to
// change; it goes with the descriptor. The other copy holds it for the milliseconds of one save, so
// this waits in the kernel's queue (polling would starve behind a copy saving again and again), but
// no longer than a second: a copy stopped while holding it must not hold this one up, nor keep a
// SIGTERM from ending the game. A file system without locks goes unlocked.
bool LockExclusively(int fd) {
  const Deadline deadline(1000);
  if (::flock(fd, LOCK_EX) == 0) return true;
  return errno == ENOLCK || errno == EINVAL || errno == EOPNOTSUPP;
}

// The file a replace renames over, what it holds and whose it is: `file` itself, or the regular file
// a link there leads to.
struct ReplaceTarget {
  fs::path path;
  StoredContent content;
  std::optional<struct stat> old;  // nothing for a new file
};

// The new file gets the old one's permissions (its owner may always read and write it: the game
// must read back what it writes), and its owner and group where this process may give them (root
// always may, so a run under sudo does not take the file from its player).
bool FillFile(int fd, std::string_view bytes, const std::optional<struct stat>& old) {
  const mode_t mode = (old ? old->st_mode & 07777 : 0644) | S_IRUSR | S_IWUSR;
  if (::fchmod(fd, mode) != 0) return false;
  if (old && (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) &&
      ::fchown(fd, old->st_uid, old->st_gid) != 0) {
    ::fchown(fd, static_cast<uid_t>(-1), old->st_gid);
  }
  return WriteAll(fd, bytes) && ::fsync(fd) == 0;
}

// Writes `bytes` to a new file `temp`, on disk. Where the file system allows, the file is named only
// once it is whole, so a process killed while writing leaves nothing behind in the folder.
bool WriteNewFile(const fs::path& temp, std::string_view bytes, const std::optional<struct stat>& old) {
  ::unlink(temp.c_str());  // left by an earlier process of the same number
  FileDescriptor unnamed(::open(FolderOf(temp).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
  const std::string unnamedPath = "/proc/self/fd/" + std::to_string(unnamed.Get());
  if (unnamed.Valid() && FillFile(unnamed.Get(), bytes, old) &&
      ::linkat(AT_FDCWD, unnamedPath.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
    return unnamed.Close();
  }
  // File systems without unnamed files, or no /proc: a named file, removed again on failure.
  FileDescriptor named(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (named.Valid() && FillFile(named.Get(), bytes, old) && named.Close()) return true;
  ::unlink(temp.c_str());
  return false;
}

// A temporary name of this process only: two copies of the game saving at once never share one.
fs::path TemporaryFileFor(const fs::path& file) {
  return FolderOf(file) / ("." + file.filename().string() + "." + std::to_string(::getpid()) + ".new");
}

// Whether nothing at all stands at `file`: not even a link (one into a folder not mounted just now
// leads nowhere, and the player's file is still on the other side).
bool NothingAt(const fs::path& file) {
  struct stat entry {};
  return ::lstat(file.c_str(), &entry) != 0 && errno == ENOENT;
}

// The target of a replace of `file`, or nothing when it is not a regular file or a link to one of
// `kind`, still the file the link opened. A file that is there is replaced only once it has been
// read: one that cannot be opened or read (its permissions, an I/O error) holds what the player
// keeps, and the new bytes may lack all of it.
std::optional<ReplaceTarget> TargetOf(const fs::path& file, size_t limit, FileKind kind) {
  const OpenedFile opened_file = OpenPlainFile(file, O_RDONLY);
  if (opened_file.error == ENOENT && NothingAt(file)) return ReplaceTarget{file, {}, {}};
  const struct stat& opened = opened_file.status;
  ReplaceTarget target{file, ReadOpenedFile(opened_file, limit), opened};
  if (target.content.state == FileState::Refused) return std::nullopt;
  struct stat entry {};
  if (::lstat(file.c_str(), &entry) == 0 && !S_ISLNK(entry.st_mode)) return target;
  // A link is followed only to a file the game could have written itself.
  if (kind == nullptr || target.content.state != FileState::Whole || !kind(target.content.bytes)) return std::nullopt;
  std::error_code error;
  target.path = fs::canonical(file, error);
  struct stat reached {};
  if (error || ::stat(target.path.c_str(), &reached) != 0 || reached.st_dev != opened.st_dev ||
      reached.st_ino != opened.st_ino) {
    return std::nullopt;
  }
  return target;
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

// The in-memory copy of `file`, read from the folder the first time.
std::string& MemoryFile(const fs::path& file, size_t limit) {
  {
    std::lock_guard<std::mutex> guard(State().lock);
    auto found = State().memoryFiles.find(file);
    if (found != State().memoryFiles.end()) return found->second;
  }
  std::string bytes = ReadPlainFile(file.string(), limit).bytes;
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
  if (!InMemory(file)) return ReadPlainFile(file.string(), limit);
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
    OpenPlainFile(file, O_WRONLY | O_CREAT | O_EXCL, 0644);
  }
  return std::move(content.bytes);
}

void RewriteFile(const fs::path& file, size_t limit, FileKind kind, const Rewrite& rewrite) {
  if (InMemory(file)) {
    std::string& bytes = MemoryFile(file, limit);
    std::optional<std::string> next = rewrite({FileState::Whole, bytes});
    std::lock_guard<std::mutex> guard(State().lock);
    if (next) bytes = std::move(*next);
    return;
  }
  // The folder is locked, not the file: the file itself is replaced, and a copy waiting on the old
  // one would then read what nobody keeps.
  FileDescriptor folder(::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Valid() && !LockExclusively(folder.Get())) throw UnableToWrite(file);
  const std::optional<ReplaceTarget> target = TargetOf(file, limit, kind);
  if (!target) throw UnableToWrite(file);
  const std::optional<std::string> bytes = rewrite(target->content);
  if (!bytes) return;
  const fs::path temp = TemporaryFileFor(target->path);
  if (!WriteNewFile(temp, *bytes, target->old)) throw UnableToWrite(file);
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

void ReplaceFileAtomically(const fs::path& file, std::string_view bytes, FileKind kind) {
  RewriteFile(file, kSmallFileReadLimit, kind, [bytes](const StoredContent&) { return std::string(bytes); });
}

void AppendToFile(const fs::path& file, size_t limit,
                  const std::function<std::optional<AppendPlan>(std::string_view)>& plan) {
  if (InMemory(file)) {
    std::string& bytes = MemoryFile(file, limit);
    std::optional<AppendPlan> append = plan(bytes);
    if (!append) throw UnableToWrite(file);
    std::lock_guard<std::mutex> guard(State().lock);
    bytes.resize(std::min(append->keep, bytes.size()));
    bytes += append->bytes;
    return;
  }
  constexpr int kAppend = O_RDWR | O_APPEND;
  OpenedFile opened = OpenPlainFile(file, kAppend);
  // O_EXCL: a link that leads nowhere is not followed to create its target. Another copy may create
  // the file in between; then it is opened as it is.
  if (opened.error == ENOENT) opened = OpenPlainFile(file, kAppend | O_CREAT | O_EXCL, 0644);
  if (opened.error == EEXIST) opened = OpenPlainFile(file, kAppend);
  FileDescriptor& fd = opened.descriptor;
  // Read, check and append under the lock, so that two copies never write at the same end.
  if (!opened.Regular() || !LockExclusively(fd.Get())) throw UnableToWrite(file);
  const StoredContent current = ReadOpenedFile(opened, limit);
  const std::optional<AppendPlan> append =
      current.state == FileState::Whole ? plan(current.bytes) : std::nullopt;
  if (!append || append->keep > current.bytes.size()) throw UnableToWrite(file);
  const off_t keep = static_cast<off_t>(append->keep);
  if (keep < static_cast<off_t>(current.bytes.size()) && ::ftruncate(fd.Get(), keep) != 0) throw UnableToWrite(file);
  if (!WriteAll(fd.Get(), append->bytes) || ::fsync(fd.Get()) != 0) {
    // A partly written record would put every later record out of step; drop it whole.
    if (::ftruncate(fd.Get(), keep) == 0) ::fsync(fd.Get());
    throw UnableToWrite(file);
  }
  if (!fd.Close()) throw UnableToWrite(file);
}

void RemoveStaleTemporaryFiles(const fs::path& folder, const std::function<bool(std::string_view name)>& stored) {
  const auto isTemporary = [&stored](std::string_view entry) {
    if (!entry.starts_with('.') || !entry.ends_with(".new")) return false;
    entry = entry.substr(1, entry.size() - 5);
    const size_t dot = entry.rfind('.');
    const std::string_view number = dot == std::string_view::npos ? "" : entry.substr(dot + 1);
    // Named by process, or by the one fixed name earlier versions used.
    if (!number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos) entry = entry.substr(0, dot);
    return stored(entry);
  };
  // A younger one may belong to a copy about to rename it.
  const auto staleBefore = fs::file_time_type::clock::now() - std::chrono::minutes(1);
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    std::error_code ignored;
    if (isTemporary(entry.path().filename().string()) && entry.is_regular_file(ignored) &&
        entry.last_write_time(ignored) < staleBefore) {
      fs::remove(entry.path(), ignored);
    }
  }
}

void KeepFolderInMemory(const fs::path& folder, std::string why) {
  {
    std::lock_guard<std::mutex> guard(State().lock);
    State().memoryFolder = folder;
    State().memoryFiles.clear();
  }
  TellPlayer(std::move(why) + ": they are kept only until the game closes");
}

}  // namespace jizdavo
