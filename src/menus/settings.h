#pragma once
// "Settings.ini": the options kept between runs, in section "Options".

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace jizdavo {

// The five options as the file holds them. The gauge positions are kept as read: the gauge itself
// shows values above 80 as 80 and keeps values below 0.
struct SavedOptions {
  bool PlayMusic = true;
  bool PlaySE = true;
  bool ShowFPS = false;
  int32_t MVolume = 80;   // music gauge (SuperGauge2)
  int32_t SEVolume = 80;  // sound-effects gauge (SuperGauge1)

  bool operator==(const SavedOptions&) const = default;
};

// The options in an INI text. A missing section or key, an empty value or one that is not a number
// gives that key's default; booleans are numbers, any but 0 meaning on; numbers are decimal or
// "0x" hexadecimal.
SavedOptions ParseOptions(std::string_view iniText);

// `iniText` with the five keys of `options` set in section "Options" (added, in the order above, where
// missing) and every other section, key and comment kept; nothing if the text could not be made.
std::optional<std::string> WithOptions(std::string_view iniText, const SavedOptions& options);

// The settings file, opened when the main window is created and held until it closes.
class SettingsFile {
 public:
  // Reads `file`; a missing or unreadable one reads as empty.
  explicit SettingsFile(std::filesystem::path file);

  const std::filesystem::path& Path() const { return path_; }

  SavedOptions Read() const;

  // Writes the five keys in section "Options" (creating the file or section), keeping every other
  // section, key and comment, and puts the file on disk at once. Throws Error "Unable to write to
  // <file>"; the caller's values are untouched either way.
  void Write(const SavedOptions& options);

 private:
  std::filesystem::path path_;
  std::string text_;  // the file as last read or written
};

}  // namespace jizdavo
