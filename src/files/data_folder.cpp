#include "files/data_folder.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <system_error>

#include "files/replay_file.h"
#include "platform/error.h"

namespace jizdavo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kAppFolderName = "jizdavo";
constexpr const char* kStoredFileNames[] = {"Score.dat", "Scoreh.dat", "Levels.dat", "Levelsh.dat",
                                            kSettingsFileName};

// Best times, progress and options kept beside the program while it could still be written there
// come along to the user's folder, each file once: the user's own copy is never replaced.
void AdoptStoredFiles(const fs::path& programFolder, const fs::path& userFolder) {
  for (const char* name : kStoredFileNames) {
    std::error_code error;
    if (fs::exists(userFolder / name, error) || error) continue;
    const StoredContent content = ReadStoredFile(programFolder / name, kBestTimesReadLimit);
    if (content.state == FileState::Whole) {
      try {
        ReplaceFileAtomically(userFolder / name, content.bytes);
      } catch (const Error&) {
        // The game then starts that file anew; nothing beside the program is touched.
      }
    }
  }
}

}  // namespace

fs::path TidyDataFolder(const fs::path& folder) {
  RemoveStaleTemporaryFiles(folder, [](std::string_view name) {
    return IsReplayFileName(name) || std::any_of(std::begin(kStoredFileNames), std::end(kStoredFileNames),
                                                 [name](const char* stored) { return name == stored; });
  });
  return folder;
}

fs::path ProgramFolder() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  if (error) return fs::current_path(error);
  return exe.parent_path();
}

std::optional<fs::path> UserDataFolder(const char* xdgDataHome, const char* home) {
  if (xdgDataHome != nullptr && fs::path(xdgDataHome).is_absolute()) {
    return fs::path(xdgDataHome) / kAppFolderName;
  }
  if (home != nullptr && fs::path(home).is_absolute()) return fs::path(home) / ".local" / "share" / kAppFolderName;
  return std::nullopt;
}

bool IsWritableFolder(const fs::path& folder) {
  std::string probe = (folder / ".jizdavo-probe-XXXXXX").string();
  const int fd = ::mkstemp(probe.data());
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

namespace {

// The user's folder, created, with the files of `programFolder` adopted. Where there is none, or it
// cannot be made or written, `programFolder` is kept in memory: nothing is ever written there (an
// installed copy's install tree).
fs::path UserFolderOr(const fs::path& programFolder, const std::optional<fs::path>& userFolder) {
  if (!userFolder) {
    KeepFolderInMemory(programFolder, "Neither XDG_DATA_HOME nor HOME names a folder to keep your best times, "
                                      "progress and options in");
    return programFolder;
  }
  std::error_code error;
  fs::create_directories(*userFolder, error);
  if (error || !IsWritableFolder(*userFolder)) {
    KeepFolderInMemory(programFolder, "Your best times, progress and options cannot be kept in " +
                                          userFolder->string() + " (it cannot be made or written)");
    return programFolder;
  }
  AdoptStoredFiles(programFolder, *userFolder);
  return TidyDataFolder(*userFolder);
}

}  // namespace

fs::path ChooseDataFolder(const fs::path& programFolder, const std::optional<fs::path>& userFolder) {
  if (IsWritableFolder(programFolder)) return TidyDataFolder(programFolder);
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
  const std::optional<fs::path> userFolder = UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
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

}  // namespace jizdavo
