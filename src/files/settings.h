#pragma once
// "Settings.ini": the options kept between runs, in section "Options", and an editor that changes the
// values of one section while keeping every other byte of the file.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace jizdavo {

// The options as the file holds them. The gauge positions are kept as read: the gauge itself
// shows values above 80 as 80 and keeps values below 0.
struct SavedOptions {
  bool PlayMusic = true;
  bool PlaySE = true;
  bool ShowFPS = false;
  int32_t MVolume = 80;   // music gauge (SuperGauge2)
  int32_t SEVolume = 80;  // sound-effects gauge (SuperGauge1)
  bool Ghost = true;      // the best run's figure walks beside the player

  bool operator==(const SavedOptions&) const = default;
};

// INI text as the file holds it: lines end with LF or CRLF; "[name]" starts a section; "key=value"
// lines belong to the section above them, blanks around the key and the value not counting; lines
// starting with ";" or "#" are comments. Section and key names match in any letter case. Any byte,
// NUL included, is an ordinary character; a UTF-8 byte-order mark before the first line is skipped.

// Whether bytes read as an INI file: empty, or a section comes before any NUL byte. A link named as
// the settings file is followed only to such a file.
bool IsIniFile(std::string_view bytes);

// The value of the last `key` in section `section` (every section of that name counts), or nothing.
std::optional<std::string> IniValue(std::string_view iniText, std::string_view section, std::string_view key);

// `iniText` with each key of `values` set in `section`: the value on every line of that key is
// replaced in place (the key, the blanks and the line end stay); a missing key is added after the
// last key of the section's first occurrence; a missing section is added at the end, with the file's
// own line ends. Every other byte is kept. Nothing when a name or value cannot be written as one line
// that reads back the same (line breaks, "=" or "]" in a name, blanks around a value).
std::optional<std::string> WithIniValues(std::string_view iniText, std::string_view section,
                                         const std::vector<std::pair<std::string, std::string>>& values);

// The options in an INI text. A missing section or key, an empty value or one that is not a number
// gives that key's default; booleans are numbers, any but 0 meaning on; numbers are decimal or
// "0x" hexadecimal.
SavedOptions ParseOptions(std::string_view iniText);

// `iniText` with the keys of `options` set in section "Options" (added, in the order above, where
// missing); nothing if the text could not be made.
std::optional<std::string> WithOptions(std::string_view iniText, const SavedOptions& options);

// The settings file, opened when the main window is created and held until it closes.
class SettingsFile {
 public:
  // Reads `file` (up to kSmallFileReadLimit); a missing or unreadable one reads as empty, and the
  // player is told about one refused or read only in part (TellPlayerAbout).
  explicit SettingsFile(std::filesystem::path file);

  const std::filesystem::path& Path() const { return path_; }

  SavedOptions Read() const;

  // Writes in section "Options" the options this copy changed since it last read or wrote them, and
  // those the file lacks or holds as no number, into the file as it is at that moment (as
  // WriteSection): what another copy of the game saved of the other options stays, and of one option
  // the later save counts.
  void Write(const SavedOptions& options);

  // Sets `values` in `section` (WithIniValues, creating the file or section) and puts the file on
  // disk at once. Throws Error "Unable to write to <file>", also for a file larger than
  // kSmallFileReadLimit (it could not be kept whole); the file and what Read and ReadValue give are
  // then unchanged.
  void WriteSection(std::string_view section, const std::vector<std::pair<std::string, std::string>>& values);

  // A value of any section, as last read or written (IniValue).
  std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;

 private:
  using Values = std::vector<std::pair<std::string, std::string>>;
  // Sets in `section` the values `choose` picks from the file as it is now (none: no write).
  void Merge(std::string_view section, const std::function<Values(std::string_view now)>& choose);

  std::filesystem::path path_;
  std::string text_;     // the file as last read or written
  SavedOptions saved_;   // the options as this copy last read or wrote them
};

}  // namespace jizdavo
