#include "menus/data_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/error.h"

namespace jizdavo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kAppFolderName = "jizdavo";
constexpr const char* kStoredFileNames[] = {"Score.dat", "Scoreh.dat", "Levels.dat", "Levelsh.dat",
                                            kSettingsFileName};

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

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Makes a rename inside `folder` survive a crash.
void SyncFolder(const fs::path& folder) {
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Valid()) ::fsync(dir.Get());
}

fs::path FolderOf(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

bool FillFile(int fd, std::string_view bytes, mode_t mode) {
  return ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
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

// Best times, progress and options kept beside the program while it could still be written there
// come along to the user's folder, each file once: the user's own copy is never replaced.
void AdoptStoredFiles(const fs::path& programFolder, const fs::path& userFolder) {
  for (const char* name : kStoredFileNames) {
    std::error_code error;
    if (fs::exists(userFolder / name, error) || error) continue;
    if (std::optional<std::string> content = ReadFile(programFolder / name)) {
      try {
        ReplaceFileAtomically(userFolder / name, *content);
      } catch (const Error&) {
        // The game then starts that file anew; nothing beside the program is touched.
      }
    }
  }
}

}  // namespace

fs::path ProgramFolder() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (error) return fs::current_path(error);
  return exe.parent_path();
}

fs::path UserDataFolder(const char* xdgDataHome, const char* home) {
  if (xdgDataHome != nullptr && fs::path(xdgDataHome).is_absolute()) {
    return fs::path(xdgDataHome) / kAppFolderName;
  }
  const fs::path base = home != nullptr && *home != '\0' ? fs::path(home) : fs::path(".");
  return base / ".local" / "share" / kAppFolderName;
}

bool IsWritableFolder(const fs::path& folder) {
  std::string probe = (folder / ".jizdavo-probe-XXXXXX").string();
  FileDescriptor fd(::mkstemp(probe.data()));
  if (!fd.Valid()) return false;
  ::unlink(probe.c_str());
  return true;
}

namespace {

// The user's folder, created, with the program's files adopted; `programFolder` when it cannot be made.
fs::path UserFolderOr(const fs::path& programFolder, const fs::path& userFolder) {
  std::error_code error;
  fs::create_directories(userFolder, error);
  if (error || !IsWritableFolder(userFolder)) return programFolder;
  AdoptStoredFiles(programFolder, userFolder);
  return userFolder;
}

}  // namespace

fs::path ChooseDataFolder(const fs::path& programFolder, const fs::path& userFolder) {
  if (IsWritableFolder(programFolder)) return programFolder;
  return UserFolderOr(programFolder, userFolder);
}

fs::path AssetFolder(const fs::path& programFolder) {
  std::error_code error;
  if (fs::is_directory(programFolder / "Graphics", error)) return programFolder;
  const fs::path shared = programFolder.parent_path() / "share" / kAppFolderName;
  if (fs::is_directory(shared / "Graphics", error)) return shared;
  return programFolder;
}

fs::path PickDataFolder() {
  const fs::path userFolder = UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  const fs::path programFolder = ProgramFolder();
  const fs::path assetFolder = AssetFolder(programFolder);
  if (assetFolder != programFolder) return UserFolderOr(assetFolder, userFolder);
  return ChooseDataFolder(programFolder, userFolder);
}

std::optional<int32_t> ParseInteger(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
  const bool negative = text.front() == '-';
  if (negative || text.front() == '+') text.remove_prefix(1);
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  // from_chars would take a second sign; only digits may follow.
  if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
  int64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  const int64_t value = negative ? -magnitude : magnitude;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::string ComplementBytes(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out) c = static_cast<char>(~static_cast<unsigned char>(c));
  return out;
}

std::optional<std::string> ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  try {
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::ios_base::failure&) {
    return std::nullopt;  // opened but not readable, e.g. a folder of that name
  }
}

std::string ReadOrCreateFile(const fs::path& file) {
  if (std::optional<std::string> content = ReadFile(file)) return std::move(*content);
  std::ofstream create(file, std::ios::binary | std::ios::app);
  return {};
}

void ReplaceFileAtomically(const fs::path& file, std::string_view bytes) {
  // Keep the old file's permissions, or those of an ordinary file; but the game must be able to read
  // back what it writes, so its owner may always read and write it.
  struct stat old {};
  const mode_t mode = (::stat(file.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644) | S_IRUSR | S_IWUSR;
  // One fixed name per file: a crash between naming and renaming leaves at most this one behind, and
  // the next write takes it over.
  const fs::path temp = FolderOf(file) / ("." + file.filename().string() + ".new");
  if (!WriteNewFile(temp, bytes, mode)) throw UnableToWrite(file);
  if (::rename(temp.c_str(), file.c_str()) != 0) {
    ::unlink(temp.c_str());
    throw UnableToWrite(file);
  }
  SyncFolder(FolderOf(file));
}

void AppendToFile(const fs::path& file, std::string_view bytes) {
  FileDescriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
  struct stat before {};
  if (!fd.Valid() || ::fstat(fd.Get(), &before) != 0) throw UnableToWrite(file);
  if (!WriteAll(fd.Get(), bytes) || ::fsync(fd.Get()) != 0) {
    // A partly written record would put every later record out of step; drop it whole.
    if (::ftruncate(fd.Get(), before.st_size) == 0) ::fsync(fd.Get());
    throw UnableToWrite(file);
  }
  if (!fd.Close()) throw UnableToWrite(file);
}

}  // namespace jizdavo
