#pragma once
// Finds the installed font file for a face the game names, or the closest substitute.

#include <string>

namespace jizdavo {

struct FontFile {
  std::string path;
  int index = 0;          // face within the file
  std::string family;     // the family actually found
  bool embolden = false;  // bold was asked for and the file has none: thicken the outlines
  bool slant = false;     // italic was asked for and the file has none: slant the outlines
};

// Looks for the named family first, then for its substitutes, then takes fontconfig's best guess.
// Besides the system's fonts, the folder of Windows-metric fonts that ships outside fontconfig's
// search path is added for the game.
FontFile ResolveFont(const std::string& name, bool bold, bool italic);

}  // namespace jizdavo
