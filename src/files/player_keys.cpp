#include "files/player_keys.h"

#include <string_view>

#include "platform/input/scan_codes.h"

namespace jizdavo {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// One line for the names of one kind of problem: the first, and how many more (a list of thousands
// of names must not print thousands of lines).
void Tell(const std::string& where, const char* before, const std::vector<std::string_view>& names,
          const char* after, std::vector<std::string>& problems) {
  if (names.empty()) return;
  std::string line = where + before + "\"" + std::string(names.front()) + "\"" + after;
  if (names.size() > 1) line += " (and " + std::to_string(names.size() - 1) + " more)";
  problems.push_back(std::move(line));
}

// The known names of one list, in order; empty items are passed over.
// `where` starts each problem's line.
std::optional<KeyCodes> ParseKeyList(std::string_view list, const std::string& where,
                                     std::vector<std::string>& problems) {
  KeyCodes codes{};
  size_t count = 0;
  std::vector<std::string_view> unknown, beyond;
  while (!list.empty()) {
    const size_t comma = list.find(',');
    const std::string_view name = Trimmed(list.substr(0, comma));
    list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    if (name.empty()) continue;
    const int code = KeyCodeOfKeyName(name);
    if (code == 0) {
      unknown.push_back(name);
    } else if (count == codes.size()) {
      beyond.push_back(name);
    } else {
      codes[count++] = code;
    }
  }
  Tell(where, "no key is named ", unknown, "", problems);
  Tell(where, "only three keys count, ", beyond, " is left out", problems);
  if (count == 0) return std::nullopt;
  return codes;
}

}  // namespace

PlayerKeys ReadPlayerKeys(const SettingsFile& settings) {
  PlayerKeys keys;
  for (size_t i = 0; i < kGameKeyNames.size(); ++i) {
    const std::optional<std::string> list = settings.ReadValue("Keys", kGameKeyNames[i]);
    const std::string where = settings.Path().filename().string() + " [Keys] " + kGameKeyNames[i] + ": ";
    if (list) keys.chosen[i] = ParseKeyList(*list, where, keys.problems);
  }
  return keys;
}

}  // namespace jizdavo
