#pragma once
// The player's own keys: the optional section "Keys" of "Settings.ini", read only, never written.
// Each of "Up", "Down", "Left", "Right", "Pause" and "Skip" is a comma-separated list of up to three
// key names as SDL names the keys ("Up,Keypad 8,K").

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "files/settings.h"

namespace jizdavo {

// Up to three key codes; 0 for none.
using KeyCodes = std::array<int, 3>;

enum class GameKey { Up, Down, Left, Right, Pause, Skip };
inline constexpr std::array<const char*, 6> kGameKeyNames{"Up", "Down", "Left", "Right", "Pause", "Skip"};

struct PlayerKeys {
  // By GameKey: the keys of a list naming at least one known key; nothing keeps the game's own.
  std::array<std::optional<KeyCodes>, kGameKeyNames.size()> chosen;
  // For each list, one line for the names that are no key's and one for those beyond the third.
  std::vector<std::string> problems;
};

PlayerKeys ReadPlayerKeys(const SettingsFile& settings);

}  // namespace jizdavo
