#pragma once
// The faces the game names and the order they are looked for in, shared by every way of finding font
// files: the named family, its substitutes, then the closest face there is.

#include <functional>
#include <optional>
#include <string>

#include "platform/text/font_resolver.h"

namespace jizdavo {

// Weights on fontconfig's scale, which the bundled faces are described in too.
enum FontWeight : int {
  kFontWeightRegular = 80,
  kFontWeightDemibold = 180,
  kFontWeightBold = 200,
  kFontWeightBlack = 210,
};

// The best face of `family` for the weight and slant; with `exact`, only a face of that very family.
using FontMatcher =
    std::function<std::optional<FontFile>(const std::string& family, int weight, bool italic, bool exact)>;

// Asks `match` for the named family, then for its substitutes, then for the closest face there is.
FontFile ResolveByNames(const std::string& name, bool bold, bool italic, const FontMatcher& match);

}  // namespace jizdavo
