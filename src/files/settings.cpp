#include "files/settings.h"

#include <algorithm>
#include <string>

#include "files/data_folder.h"
#include "platform/error.h"

namespace jizdavo {

namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

constexpr const char* kSection = "Options";
constexpr const char* kPlayMusic = "PlayMusic";
constexpr const char* kPlaySE = "PlaySE";
constexpr const char* kShowFPS = "ShowFPS";
constexpr const char* kMVolume = "MVolume";
constexpr const char* kSEVolume = "SEVolume";
constexpr const char* kGhost = "Ghost";

// The carriage return of a CRLF line counts as a blank.
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
           return lower(x) == lower(y);
         });
}

// The name of a section header line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view text = Trim(line);
  const size_t close = text.find(']');
  if (text.empty() || text.front() != '[' || close == std::string_view::npos) return std::nullopt;
  return Trim(text.substr(1, close - 1));
}

// A "key=value" line: the key, and where its value stands in the line.
struct KeyLine {
  std::string_view key;
  size_t valueBegin = 0;
  size_t valueEnd = 0;
};

std::optional<KeyLine> KeyLineOf(std::string_view line) {
  const std::string_view text = Trim(line);
  const size_t equals = line.find('=');
  if (text.empty() || text.front() == ';' || text.front() == '#' || equals == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string_view key = Trim(line.substr(0, equals));
  if (key.empty()) return std::nullopt;
  const std::string_view value = Trim(line.substr(equals + 1));
  // An empty value is written just after "=" (before any blanks or the CR of the line end).
  const size_t begin = value.empty() ? equals + 1 : static_cast<size_t>(value.data() - line.data());
  return KeyLine{key, begin, begin + value.size()};
}

// A UTF-8 byte-order mark some editors put first is not part of the first line.
size_t ByteOrderMarkLength(std::string_view text) { return text.starts_with("\xEF\xBB\xBF") ? 3 : 0; }

// Calls `visit(line, lineEnd, section)` for every line, `line` without its LF, `lineEnd` the offset
// just past it (past the LF where there is one), `section` the section the line is in.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  std::string_view section;
  size_t begin = ByteOrderMarkLength(text);
  while (begin < text.size()) {
    const size_t newline = text.find('\n', begin);
    const size_t end = newline == std::string_view::npos ? text.size() : newline;
    const std::string_view line = text.substr(begin, end - begin);
    if (std::optional<std::string_view> name = SectionName(line)) section = *name;
    visit(line, std::min(end + 1, text.size()), section);
    begin = end + 1;
  }
}

bool WritableName(std::string_view name, std::string_view forbidden) {
  return !name.empty() && Trim(name) == name && name.find_first_of(forbidden) == std::string_view::npos;
}

bool WritableValues(std::string_view section, const Values& values) {
  if (!WritableName(section, "\n\r]")) return false;
  return std::all_of(values.begin(), values.end(), [](const auto& value) {
    const std::string_view key = value.first;
    return WritableName(key, "\n\r=[") && key.front() != ';' && key.front() != '#' &&
           Trim(value.second) == value.second && value.second.find('\n') == std::string::npos;
  });
}

std::optional<size_t> IndexOf(const Values& values, std::string_view key) {
  for (size_t i = 0; i < values.size(); ++i) {
    if (SameName(values[i].first, key)) return i;
  }
  return std::nullopt;
}

// The lines of the keys of `values` not yet `written`, each ended by `lineEnd`.
std::string MissingKeyLines(const Values& values, const std::vector<bool>& written, std::string_view lineEnd) {
  std::string lines;
  for (size_t i = 0; i < values.size(); ++i) {
    if (written[i] || IndexOf(values, values[i].first) != i) continue;  // a key given twice counts once
    lines.append(values[i].first).append("=").append(values[i].second).append(lineEnd);
  }
  return lines;
}

// The keys in the order they are added.
Values OptionValues(const SavedOptions& options) {
  const auto number = [](int32_t value) { return std::to_string(value); };
  return {{kPlayMusic, number(options.PlayMusic)},
          {kPlaySE, number(options.PlaySE)},
          {kShowFPS, number(options.ShowFPS)},
          {kMVolume, number(options.MVolume)},
          {kSEVolume, number(options.SEVolume)},
          {kGhost, number(options.Ghost)}};
}

int32_t ReadInteger(std::string_view text, const char* key, int32_t fallback) {
  const std::optional<std::string> value = IniValue(text, kSection, key);
  return value ? ParseInteger(*value).value_or(fallback) : fallback;
}

bool ReadBoolean(std::string_view text, const char* key, bool fallback) {
  return ReadInteger(text, key, fallback ? 1 : 0) != 0;
}

}  // namespace

bool IsIniFile(std::string_view bytes) {
  if (bytes.empty()) return true;
  bool sectionFirst = false;
  bool seen = false;
  ForEachLine(bytes, [&](std::string_view line, size_t, std::string_view) {
    if (seen) return;
    sectionFirst = SectionName(line).has_value();
    seen = sectionFirst || line.find('\0') != std::string_view::npos;
  });
  return sectionFirst;
}

std::optional<std::string> IniValue(std::string_view iniText, std::string_view section, std::string_view key) {
  std::optional<std::string> found;
  ForEachLine(iniText, [&](std::string_view line, size_t, std::string_view lineSection) {
    if (!SameName(lineSection, section)) return;
    if (std::optional<KeyLine> keyLine = KeyLineOf(line); keyLine && SameName(keyLine->key, key)) {
      found = std::string(line.substr(keyLine->valueBegin, keyLine->valueEnd - keyLine->valueBegin));
    }
  });
  return found;
}

std::optional<std::string> WithIniValues(std::string_view iniText, std::string_view section, const Values& values) {
  if (!WritableValues(section, values)) return std::nullopt;
  const std::string_view lineEnd = iniText.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  std::string out(iniText.substr(0, ByteOrderMarkLength(iniText)));
  out.reserve(iniText.size() + 32 * values.size());
  std::vector<bool> written(values.size(), false);
  std::optional<size_t> insertAt;  // past the last key (or the header) of the section's first occurrence
  bool firstOccurrenceOver = false;
  ForEachLine(iniText, [&](std::string_view line, size_t end, std::string_view lineSection) {
    const size_t start = static_cast<size_t>(line.data() - iniText.data());
    const bool inSection = SameName(lineSection, section);
    firstOccurrenceOver = firstOccurrenceOver || (insertAt && !inSection);
    const std::optional<KeyLine> keyLine = inSection ? KeyLineOf(line) : std::nullopt;
    const std::optional<size_t> index = keyLine ? IndexOf(values, keyLine->key) : std::nullopt;
    if (index) {
      out.append(line.substr(0, keyLine->valueBegin)).append(values[*index].second);
      out.append(iniText.substr(start + keyLine->valueEnd, end - start - keyLine->valueEnd));
      written[*index] = true;
    } else {
      out.append(iniText.substr(start, end - start));
    }
    if (inSection && !firstOccurrenceOver && (keyLine || SectionName(line))) insertAt = out.size();
  });
  std::string missing = MissingKeyLines(values, written, lineEnd);
  if (!insertAt) {
    missing = "[" + std::string(section) + "]" + std::string(lineEnd) + missing;
    insertAt = out.size();
  }
  // The line before may be the last of a file that does not end its last line.
  if (!missing.empty() && *insertAt > 0 && out[*insertAt - 1] != '\n') missing.insert(0, lineEnd);
  out.insert(*insertAt, missing);
  return out;
}

SavedOptions ParseOptions(std::string_view iniText) {
  const SavedOptions defaults;
  SavedOptions options;
  options.PlayMusic = ReadBoolean(iniText, kPlayMusic, defaults.PlayMusic);
  options.PlaySE = ReadBoolean(iniText, kPlaySE, defaults.PlaySE);
  options.ShowFPS = ReadBoolean(iniText, kShowFPS, defaults.ShowFPS);
  options.MVolume = ReadInteger(iniText, kMVolume, defaults.MVolume);
  options.SEVolume = ReadInteger(iniText, kSEVolume, defaults.SEVolume);
  options.Ghost = ReadBoolean(iniText, kGhost, defaults.Ghost);
  return options;
}

std::optional<std::string> WithOptions(std::string_view iniText, const SavedOptions& options) {
  return WithIniValues(iniText, kSection, OptionValues(options));
}

SettingsFile::SettingsFile(std::filesystem::path file) : path_(std::move(file)) {
  StoredContent content = ReadStoredFile(path_, kSmallFileReadLimit);
  TellPlayerAbout(path_, content, kSmallFileReadLimit);
  text_ = std::move(content.bytes);
  saved_ = ParseOptions(text_);
}

SavedOptions SettingsFile::Read() const { return ParseOptions(text_); }

// Only the changes: a copy that never touched an option must not undo another copy's change to it.
// A value the file lacks, or holds as no number, is written too, so the file reads as the options.
void SettingsFile::Write(const SavedOptions& options) {
  const Values mine = OptionValues(options);
  const Values saved = OptionValues(saved_);
  Merge(kSection, [&](std::string_view now) {
    Values changed;
    for (size_t i = 0; i < mine.size(); ++i) {
      const std::optional<std::string> stored = IniValue(now, kSection, mine[i].first);
      if (mine[i] != saved[i] || !stored || !ParseInteger(*stored)) changed.push_back(mine[i]);
    }
    return changed;
  });
  saved_ = options;
}

void SettingsFile::WriteSection(std::string_view section, const Values& values) {
  Merge(section, [&](std::string_view) { return values; });
}

void SettingsFile::Merge(std::string_view section, const std::function<Values(std::string_view now)>& choose) {
  // Start from the file as it is now, so lines written by anyone since start-up (another copy of the
  // game too) are kept; one read only in part cannot be written back whole.
  std::string written = text_;
  RewriteFile(path_, kSmallFileReadLimit, IsIniFile, [&](const StoredContent& now) -> std::optional<std::string> {
    if (now.state == FileState::Cut) throw Error("Unable to write to " + path_.string());
    const std::string_view current = now.state == FileState::Whole ? now.bytes : text_;
    const Values values = choose(current);
    if (values.empty()) {
      written = current;
      return std::nullopt;
    }
    std::optional<std::string> text = WithIniValues(current, section, values);
    if (!text) throw Error("Unable to write to " + path_.string());
    written = *text;
    return text;
  });
  text_ = std::move(written);
}

std::optional<std::string> SettingsFile::ReadValue(std::string_view section, std::string_view key) const {
  return IniValue(text_, section, key);
}

}  // namespace jizdavo
