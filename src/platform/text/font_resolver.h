#pragma once
// Finds the installed font file for a face the game names, or the closest substitute.

#include <filesystem>
#include <string>

namespace jizdavo {

struct FontFile {
  std::string path;
  int index = 0;          // face within the file
  std::string family;     // the family actually found
  bool embolden = false;  // bold was asked for and the file has none: thicken the outlines
  bool slant = false;     // italic was asked for and the file has none: slant the outlines
};

// Looks for the named family first, then for its substitutes, then takes the closest face there is.
// The build chooses where faces come from: the system's fonts through fontconfig (with the folder of
// Windows-metric fonts that ships outside its search path), or the fonts bundled with the program.
FontFile ResolveFont(const std::string& name, bool bold, bool italic);

// The folder of fonts that came with the program, looked in before the first face is resolved; the
// system's fonts, where they are used, are found besides.
void UseFontFolder(const std::filesystem::path& folder);

}  // namespace jizdavo
