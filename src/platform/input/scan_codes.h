#pragma once
// From the keyboard's PC set-1 scan codes (extended keys as 128 + code) to the game's key codes 1..255.

#include <cstdint>
#include <span>
#include <string_view>

namespace jizdavo {

// The PC scan codes of the keys the game reads as held (the arrows are extended keys).
constexpr int kScanEscape = 1, kScanEnter = 28, kScanSpace = 57;
constexpr int kScanUp = 128 + 72, kScanLeft = 128 + 75, kScanRight = 128 + 77, kScanDown = 128 + 80;

// The key codes the game tests by name.
constexpr int kKeyBackspace = 8, kKeyEnter = 13, kKeyEscape = 27, kKeySpace = 32;
constexpr int kKeyEnd = 35, kKeyHome = 36, kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;
constexpr int kKeyDelete = 46;

// The key code of a scan code; 0 for scan codes that give no key and for anything outside 0..255.
int KeyCodeOfScanCode(int scan_code);

// A key that gives a key code, with the name SDL gives it ("Up", "Keypad 8", "K", "Return").
struct NamedScanCode {
  uint8_t scan;
  uint8_t key;
  const char* name;
};
std::span<const NamedScanCode> NamedScanCodes();
// The key code of the key of that name, in any letter case; 0 for a name no such key has.
int KeyCodeOfKeyName(std::string_view name);

}  // namespace jizdavo
