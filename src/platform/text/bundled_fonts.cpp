// The bundled faces described as fontconfig would describe them, and the closest one to a request.

#include "platform/text/bundled_fonts.h"

#include <strings.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/text/font_names.h"

namespace jizdavo {
namespace {

struct BundledFace {
  const char* file;  // as the build copies it (cmake/bundled_fonts.cmake names where from)
  const char* family;
  int weight;
  bool italic;
};

// Only the faces the game's names and substitutes reach; Tahoma's bold is its regular face thickened.
const BundledFace kBundledFaces[] = {
    {"tahoma.ttf", "Tahoma", kFontWeightRegular, false},
    {"ms_sans_serif.ttf", "MS Sans Serif", kFontWeightRegular, false},
    {"marlett.ttf", "Marlett", kFontWeightRegular, false},
    {"Lato-Black.ttf", "Lato", kFontWeightBlack, false},
    {"Lato-BlackItalic.ttf", "Lato", kFontWeightBlack, true},
    {"LiberationSans-Regular.ttf", "Liberation Sans", kFontWeightRegular, false},
    {"LiberationSans-Bold.ttf", "Liberation Sans", kFontWeightBold, false},
    {"LiberationSans-Italic.ttf", "Liberation Sans", kFontWeightRegular, true},
    {"LiberationSans-BoldItalic.ttf", "Liberation Sans", kFontWeightBold, true},
    {"DejaVuSans.ttf", "DejaVu Sans", kFontWeightRegular, false},
    {"DejaVuSans-Bold.ttf", "DejaVu Sans", kFontWeightBold, false},
    {"DejaVuSans-Oblique.ttf", "DejaVu Sans", kFontWeightRegular, true},
    {"DejaVuSans-BoldOblique.ttf", "DejaVu Sans", kFontWeightBold, true},
};

// The family any name falls back to, as the desktop's sans-serif.
const char* const kFallbackFamily = "DejaVu Sans";

// As fontconfig ranks them: the slant first, then the nearest weight.
int Distance(const BundledFace& face, int weight, bool italic) {
  return (face.italic != italic ? 1000 : 0) + std::abs(face.weight - weight);
}

std::optional<FontFile> Match(const std::filesystem::path& folder, const std::string& family, int weight,
                              bool italic, bool exact) {
  const char* wanted = family.c_str();
  if (!exact && !std::any_of(std::begin(kBundledFaces), std::end(kBundledFaces),
                             [&](const BundledFace& face) { return strcasecmp(face.family, wanted) == 0; }))
    wanted = kFallbackFamily;
  const BundledFace* best = nullptr;
  for (const BundledFace& face : kBundledFaces) {
    if (strcasecmp(face.family, wanted) != 0) continue;
    std::error_code error;
    if (!std::filesystem::is_regular_file(folder / face.file, error)) continue;
    if (best == nullptr || Distance(face, weight, italic) < Distance(*best, weight, italic)) best = &face;
  }
  if (best == nullptr) return std::nullopt;
  return FontFile{(folder / best->file).string(), 0, best->family,
                  weight >= kFontWeightDemibold && best->weight < kFontWeightDemibold,
                  italic && !best->italic};
}

}  // namespace

FontFile ResolveBundledFont(const std::filesystem::path& folder, const std::string& name, bool bold,
                            bool italic) {
  return ResolveByNames(name, bold, italic,
                        [&folder](const std::string& family, int weight, bool slanted, bool exact) {
                          return Match(folder, family, weight, slanted, exact);
                        });
}

}  // namespace jizdavo
