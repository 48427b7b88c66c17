// Font lookup through the game's own fontconfig configuration: the desktop's back end, which finds
// the system's installed fonts.

#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <optional>

#include "platform/text/font_names.h"
#include "platform/text/font_resolver.h"

namespace jizdavo {
namespace {

// Tahoma, MS Sans Serif and Marlett live here, outside the folders fontconfig searches.
const char* const kWindowsFontsDir = "/usr/share/wine/fonts";

static_assert(kFontWeightRegular == FC_WEIGHT_REGULAR && kFontWeightDemibold == FC_WEIGHT_DEMIBOLD &&
              kFontWeightBold == FC_WEIGHT_BOLD && kFontWeightBlack == FC_WEIGHT_BLACK);

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
std::optional<FontFile> Match(const std::string& family, int weight, bool italic, bool exact) {
  FcConfig* config = GameFontConfig();
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
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
  if ((!exact || HasFamily(font, family.c_str())) &&
      FcPatternGetString(font, FC_FILE, 0, &path) == FcResultMatch &&
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
  return ResolveByNames(name, bold, italic, Match);
}

void UseFontFolder(const std::filesystem::path& folder) {
  FcConfigAppFontAddDir(GameFontConfig(), reinterpret_cast<const FcChar8*>(folder.c_str()));
}

}  // namespace jizdavo
