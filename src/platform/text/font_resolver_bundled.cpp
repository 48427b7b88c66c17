// Font lookup among the fonts bundled with the program: the back end of the homes without the
// system's font configuration.

#include "platform/text/bundled_fonts.h"
#include "platform/text/font_resolver.h"

namespace jizdavo {
namespace {

std::filesystem::path& FontFolder() {
  static std::filesystem::path folder = "fonts";
  return folder;
}

}  // namespace

FontFile ResolveFont(const std::string& name, bool bold, bool italic) {
  return ResolveBundledFont(FontFolder(), name, bold, italic);
}

void UseFontFolder(const std::filesystem::path& folder) { FontFolder() = folder; }

}  // namespace jizdavo
