#include "files/progress.h"

#include <algorithm>
#include <optional>
#include <string>

namespace jizdavo {

const char* ProgressFileName(GameMode mode) {
  return mode == GameMode::Standard ? "Levels.dat" : "Levelsh.dat";
}

std::string ParseProgress(std::string_view stored, GameMode mode) {
  if (stored.empty()) return "1";
  const std::optional<int32_t> level = ParseInteger(ComplementBytes(stored));
  if (!level) return "1";
  return std::to_string(std::clamp(*level, 1, LevelCount(mode)));
}

std::string EncodeProgress(int32_t level) { return ComplementBytes(std::to_string(level)); }

std::string LoadProgress(const std::filesystem::path& folder, GameMode mode) {
  return ParseProgress(ReadOrCreateFile(folder / ProgressFileName(mode), kSmallFileReadLimit), mode);
}

bool IsProgressFile(std::string_view stored) { return stored.empty() || ParseInteger(ComplementBytes(stored)); }

bool RaiseProgress(const std::filesystem::path& folder, GameMode mode, std::string& progress, int32_t level) {
  // `progress` comes from ParseProgress, so it always holds a number.
  if (ParseInteger(progress).value_or(1) >= level || level > LevelCount(mode)) return false;
  progress = std::to_string(level);
  // Another copy of the game may have gone further since this one read the file.
  RewriteFile(folder / ProgressFileName(mode), kSmallFileReadLimit, IsProgressFile,
              [&](const StoredContent& now) -> std::optional<std::string> {
                const int32_t stored = std::stoi(ParseProgress(now.bytes, mode));
                if (now.state == FileState::Whole && stored >= level) {
                  progress = std::to_string(stored);
                  return std::nullopt;
                }
                return EncodeProgress(level);
              });
  return true;
}

}  // namespace jizdavo
