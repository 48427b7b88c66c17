#include "platform/input/scan_codes.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>

namespace jizdavo {

namespace {

// Letters give their capital ASCII code and punctuation the ASCII code of its unshifted character, so
// the apostrophe (39) reads as the Right arrow and the period as Delete (46). Keypad digits give their
// keypad codes whatever Num Lock says. Minus (12) and the grave accent (41) give no key. The names are
// those SDL gives the keys, so that players can write them as they know them.
constexpr NamedScanCode kScanKeys[] = {
    {1, 27, "Escape"},
    {2, 49, "1"}, {3, 50, "2"}, {4, 51, "3"}, {5, 52, "4"}, {6, 53, "5"},
    {7, 54, "6"}, {8, 55, "7"}, {9, 56, "8"}, {10, 57, "9"}, {11, 48, "0"},
    {13, 61, "="},
    {14, 8, "Backspace"}, {15, 9, "Tab"},
    {16, 81, "Q"}, {17, 87, "W"}, {18, 69, "E"}, {19, 82, "R"}, {20, 84, "T"},
    {21, 89, "Y"}, {22, 85, "U"}, {23, 73, "I"}, {24, 79, "O"}, {25, 80, "P"},
    {26, 91, "["}, {27, 93, "]"},
    {28, 13, "Return"}, {156, 13, "Keypad Enter"},
    {29, 17, "Left Ctrl"}, {157, 17, "Right Ctrl"},
    {30, 65, "A"}, {31, 83, "S"}, {32, 68, "D"}, {33, 70, "F"}, {34, 71, "G"},
    {35, 72, "H"}, {36, 74, "J"}, {37, 75, "K"}, {38, 76, "L"},
    {39, 59, ";"}, {40, 39, "'"},
    {42, 16, "Left Shift"}, {54, 16, "Right Shift"},
    {43, 92, "\\"},
    {44, 90, "Z"}, {45, 88, "X"}, {46, 67, "C"}, {47, 86, "V"}, {48, 66, "B"}, {49, 78, "N"}, {50, 77, "M"},
    {51, 44, ","}, {52, 46, "."}, {53, 47, "/"},
    {55, 42, "Keypad *"},
    {56, 18, "Left Alt"}, {184, 18, "Right Alt"},
    {57, 32, "Space"},
    {58, 20, "CapsLock"},
    {59, 112, "F1"}, {60, 113, "F2"}, {61, 114, "F3"}, {62, 115, "F4"}, {63, 116, "F5"},
    {64, 117, "F6"}, {65, 118, "F7"}, {66, 119, "F8"}, {67, 120, "F9"}, {68, 121, "F10"},
    {69, 144, "Numlock"}, {70, 145, "ScrollLock"},
    {71, 103, "Keypad 7"}, {72, 104, "Keypad 8"}, {73, 105, "Keypad 9"},
    {74, 109, "Keypad -"},
    {75, 100, "Keypad 4"}, {76, 101, "Keypad 5"}, {77, 102, "Keypad 6"},
    {78, 107, "Keypad +"},
    {79, 97, "Keypad 1"}, {80, 98, "Keypad 2"}, {81, 99, "Keypad 3"},
    {82, 96, "Keypad 0"}, {83, 110, "Keypad ."},
    {87, 122, "F11"}, {88, 123, "F12"},
    {181, 111, "Keypad /"},
    {199, 36, "Home"}, {200, 38, "Up"}, {201, 33, "PageUp"},
    {203, 37, "Left"}, {205, 39, "Right"},
    {207, 35, "End"}, {208, 40, "Down"}, {209, 34, "PageDown"},
    {210, 45, "Insert"}, {211, 46, "Delete"},
    {219, 91, "Left GUI"}, {220, 92, "Right GUI"}, {221, 93, "Application"},
};

constexpr std::array<uint8_t, 256> MakeKeyCodeTable() {
  std::array<uint8_t, 256> table{};
  for (const NamedScanCode& entry : kScanKeys) table[entry.scan] = entry.key;
  return table;
}

constexpr std::array<uint8_t, 256> kKeyCodeOfScanCode = MakeKeyCodeTable();

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

int KeyCodeOfScanCode(int scan_code) {
  if (scan_code < 0 || scan_code > 255) return 0;
  return kKeyCodeOfScanCode[static_cast<size_t>(scan_code)];
}

std::span<const NamedScanCode> NamedScanCodes() { return kScanKeys; }

int KeyCodeOfKeyName(std::string_view name) {
  for (const NamedScanCode& entry : kScanKeys)
    if (SameLetters(entry.name, name)) return entry.key;
  return 0;
}

}  // namespace jizdavo
