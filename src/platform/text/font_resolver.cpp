// Font lookup through the game's own fontconfig configuration.

#include "platform/text/font_resolver.h"

#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <optional>
#include <vector>

namespace jizdavo {
namespace {

// Tahoma, MS Sans Serif and Marlett live here, outside the folders fontconfig searches.
const char* const kWindowsFontsDir = "/usr/share/wine/fonts";

// The Tahoma Bold of the Windows fonts draws strokes as thin as its regular face, only spaced wider;
// the regular outlines thickened look like the real bold.
const char* const kThinBoldFamily = "Tahoma";

struct Substitute {
  const char* name;
  const char* family;
  int weight;  // fontconfig weight to ask for; -1 follows the bold flag
};

// Tried in order when the named family itself is not installed (see the README's font table).
const Substitute kSubstitutes[] = {
    {"Arial Black", "Lato", FC_WEIGHT_BLACK}, {"Arial Black", "Liberation Sans", FC_WEIGHT_BOLD},
    {"Arial", "Liberation Sans", -1},         {"Tahoma", "Liberation Sans", -1},
    {"MS Sans Serif", "Liberation Sans", -1},
};

// The system's configuration rejects fonts without outlines; MS Sans Serif only comes as fixed bitmap
// sizes, which is how the game's controls always showed it, so it is let in by name.
const char* const kAcceptBitmapSansSerif = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><selectfont><acceptfont>
  <pattern><patelt name="family"><string>MS Sans Serif</string></patelt></pattern>
</acceptfont></selectfont></fontconfig>)";

FcConfig* GameFontConfig() {
  static FcConfig* const config = [] {
    FcConfig* created = FcConfigCreate();
    FcConfigParseAndLoad(created, nullptr, FcTrue);
    FcConfigParseAndLoadFromMemory(created, reinterpret_cast<const FcChar8*>(kAcceptBitmapSansSerif), FcTrue);
    FcConfigBuildFonts(created);
    FcConfigAppFontAddDir(created, reinterpret_cast<const FcChar8*>(kWindowsFontsDir));
    return created;
  }();
  return config;
}

bool HasFamily(FcPattern* font, const char* family) {
  FcChar8* found = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &found) == FcResultMatch; ++i) {
    if (strcasecmp(reinterpret_cast<const char*>(found), family) == 0) return true;
  }
  return false;
}

int IntOf(FcPattern* font, const char* object, int otherwise) {
  int value = otherwise;
  FcPatternGetInteger(font, object, 0, &value);
  return value;
}

bool BoolOf(FcPattern* font, const char* object) {
  FcBool value = FcFalse;
  FcPatternGetBool(font, object, 0, &value);
  return value == FcTrue;
}

// The system's rules already mark a face for synthetic bold or slant (raising its weight, shearing its
// matrix); a face they left alone is judged by its own weight and slant.
bool NeedsEmbolden(FcPattern* font, int weight) {
  return weight >= FC_WEIGHT_DEMIBOLD &&
         (BoolOf(font, FC_EMBOLDEN) || IntOf(font, FC_WEIGHT, FC_WEIGHT_REGULAR) < FC_WEIGHT_DEMIBOLD);
}

bool NeedsSlant(FcPattern* font, bool italic) {
  FcMatrix* matrix = nullptr;
  const bool sheared = FcPatternGetMatrix(font, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix->xy != 0;
  return italic && (sheared || IntOf(font, FC_SLANT, FC_SLANT_ROMAN) == FC_SLANT_ROMAN);
}

// The best match for the request; with `exact`, only a font of that very family counts.
std::optional<FontFile> Match(const char* family, int weight, bool italic, bool exact) {
  FcConfig* config = GameFontConfig();
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(pattern, FC_WEIGHT, weight);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* font = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (font == nullptr) return std::nullopt;
  std::optional<FontFile> file;
  FcChar8* path = nullptr;
  FcChar8* found_family = nullptr;
  if ((!exact || HasFamily(font, family)) && FcPatternGetString(font, FC_FILE, 0, &path) == FcResultMatch &&
      FcPatternGetString(font, FC_FAMILY, 0, &found_family) == FcResultMatch) {
    file = FontFile{reinterpret_cast<const char*>(path), IntOf(font, FC_INDEX, 0),
                    reinterpret_cast<const char*>(found_family), NeedsEmbolden(font, weight),
                    NeedsSlant(font, italic)};
  }
  FcPatternDestroy(font);
  return file;
}

}  // namespace

FontFile ResolveFont(const std::string& name, bool bold, bool italic) {
  const int asked_weight = bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR;
  if (bold && strcasecmp(name.c_str(), kThinBoldFamily) == 0) {
    if (auto file = Match(name.c_str(), FC_WEIGHT_REGULAR, italic, true)) {
      file->embolden = true;
      return *file;
    }
  }
  if (auto file = Match(name.c_str(), asked_weight, italic, true)) return *file;
  for (const Substitute& substitute : kSubstitutes) {
    if (strcasecmp(substitute.name, name.c_str()) != 0) continue;
    const int weight = substitute.weight < 0 ? asked_weight : substitute.weight;
    if (auto file = Match(substitute.family, weight, italic, true)) return *file;
  }
  if (auto file = Match(name.c_str(), asked_weight, italic, false)) return *file;
  return Match("sans-serif", asked_weight, italic, false).value_or(FontFile{});
}

}  // namespace jizdavo
