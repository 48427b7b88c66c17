// The game's faces, their substitutes and the Tahoma rule, written once for every font back end.

#include "platform/text/font_names.h"

#include <strings.h>

namespace jizdavo {
namespace {

// The Tahoma Bold of the Windows fonts draws strokes as thin as its regular face, only spaced wider;
// the regular outlines thickened look like the real bold.
const char* const kThinBoldFamily = "Tahoma";

struct Substitute {
  const char* name;
  const char* family;
  int weight;  // the weight to ask for; -1 follows the bold flag
};

// Tried in order when the named family itself is not there (see the README's font table).
const Substitute kSubstitutes[] = {
    {"Arial Black", "Lato", kFontWeightBlack}, {"Arial Black", "Liberation Sans", kFontWeightBold},
    {"Arial", "Liberation Sans", -1},          {"Tahoma", "Liberation Sans", -1},
    {"MS Sans Serif", "Liberation Sans", -1},
};

}  // namespace

FontFile ResolveByNames(const std::string& name, bool bold, bool italic, const FontMatcher& match) {
  const int asked_weight = bold ? kFontWeightBold : kFontWeightRegular;
  if (bold && strcasecmp(name.c_str(), kThinBoldFamily) == 0) {
    if (auto file = match(name, kFontWeightRegular, italic, true)) {
      file->embolden = true;
      return *file;
    }
  }
  if (auto file = match(name, asked_weight, italic, true)) return *file;
  for (const Substitute& substitute : kSubstitutes) {
    if (strcasecmp(substitute.name, name.c_str()) != 0) continue;
    const int weight = substitute.weight < 0 ? asked_weight : substitute.weight;
    if (auto file = match(substitute.family, weight, italic, true)) return *file;
  }
  if (auto file = match(name, asked_weight, italic, false)) return *file;
  return match("sans-serif", asked_weight, italic, false).value_or(FontFile{});
}

}  // namespace jizdavo
