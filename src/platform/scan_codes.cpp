#include "platform/scan_codes.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace jizdavo {

namespace {

struct ScanKey {
  uint8_t scan;
  uint8_t key;
};

// Letters give their capital ASCII code and punctuation the ASCII code of its unshifted character, so
// the apostrophe (39) reads as the Right arrow and the period as Delete (46). Keypad digits give their
// keypad codes whatever Num Lock says. Minus (12) and the grave accent (41) give no key.
constexpr ScanKey kScanKeys[] = {
    {1, 27},                                                                       // Escape
    {2, 49}, {3, 50}, {4, 51}, {5, 52}, {6, 53}, {7, 54}, {8, 55}, {9, 56}, {10, 57}, {11, 48},  // 1..9, 0
    {13, 61},                                                                      // =
    {14, 8}, {15, 9},                                                              // Backspace, Tab
    {16, 81}, {17, 87}, {18, 69}, {19, 82}, {20, 84},                              // Q W E R T
    {21, 89}, {22, 85}, {23, 73}, {24, 79}, {25, 80},                              // Y U I O P
    {26, 91}, {27, 93},                                                            // [ ]
    {28, 13}, {156, 13},                                                           // Enter, keypad Enter
    {29, 17}, {157, 17},                                                           // Control
    {30, 65}, {31, 83}, {32, 68}, {33, 70}, {34, 71},                              // A S D F G
    {35, 72}, {36, 74}, {37, 75}, {38, 76},                                        // H J K L
    {39, 59}, {40, 39},                                                            // ; '
    {42, 16}, {54, 16},                                                            // Shift
    {43, 92},                                                                      // backslash
    {44, 90}, {45, 88}, {46, 67}, {47, 86}, {48, 66}, {49, 78}, {50, 77},          // Z X C V B N M
    {51, 44}, {52, 46}, {53, 47},                                                  // , . /
    {55, 42},                                                                      // keypad *
    {56, 18}, {184, 18},                                                           // Alt
    {57, 32},                                                                      // Space
    {58, 20},                                                                      // Caps Lock
    {59, 112}, {60, 113}, {61, 114}, {62, 115}, {63, 116},                         // F1..F5
    {64, 117}, {65, 118}, {66, 119}, {67, 120}, {68, 121},                         // F6..F10
    {69, 144}, {70, 145},                                                          // Num Lock, Scroll Lock
    {71, 103}, {72, 104}, {73, 105},                                               // keypad 7 8 9
    {74, 109},                                                                     // keypad -
    {75, 100}, {76, 101}, {77, 102},                                               // keypad 4 5 6
    {78, 107},                                                                     // keypad +
    {79, 97}, {80, 98}, {81, 99},                                                  // keypad 1 2 3
    {82, 96}, {83, 110},                                                           // keypad 0 .
    {87, 122}, {88, 123},                                                          // F11, F12
    {181, 111},                                                                    // keypad /
    {199, 36}, {200, 38}, {201, 33},                                               // Home, Up, Page Up
    {203, 37}, {205, 39},                                                          // Left, Right
    {207, 35}, {208, 40}, {209, 34},                                               // End, Down, Page Down
    {210, 45}, {211, 46},                                                          // Insert, Delete
    {219, 91}, {220, 92}, {221, 93},                                               // system keys, menu key
};

constexpr std::array<uint8_t, 256> MakeKeyCodeTable() {
  std::array<uint8_t, 256> table{};
  for (const ScanKey& entry : kScanKeys) table[entry.scan] = entry.key;
  return table;
}

constexpr std::array<uint8_t, 256> kKeyCodeOfScanCode = MakeKeyCodeTable();

}  // namespace

int KeyCodeOfScanCode(int scan_code) {
  if (scan_code < 0 || scan_code > 255) return 0;
  return kKeyCodeOfScanCode[static_cast<size_t>(scan_code)];
}

}  // namespace jizdavo
