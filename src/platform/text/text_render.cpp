// The process's font state (one FreeType library, faces cached per name, size, style and rendering)
// and the layout of a string on one line.

#include "platform/text/text_render.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <tuple>
#include <utility>


namespace jizdavo {
namespace {

std::string Lowercase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Everything drawn so far stays cached for the run: the game uses a handful of faces and sizes.
class FontSystem {
 public:
  static FontSystem& Get() {
    static FontSystem system;
    return system;
  }

  const FontFile& FileFor(const FontRequest& wanted) {
    const auto key = std::make_tuple(Lowercase(wanted.name), wanted.bold, wanted.italic);
    auto found = files_.find(key);
    if (found == files_.end())
      found = files_.emplace(key, ResolveFont(wanted.name, wanted.bold, wanted.italic)).first;
    return found->second;
  }

  // The last faces asked for are found again by their spelling, without lower-casing or the map.
  GlyphFace& FaceFor(const FontRequest& wanted, GlyphRender render) {
    for (auto recent = recent_.begin(); recent != recent_.end(); ++recent) {
      if (recent->face != nullptr && recent->render == render && recent->font.em_pixels == wanted.em_pixels &&
          recent->font.bold == wanted.bold && recent->font.italic == wanted.italic &&
          recent->font.name == wanted.name) {
        std::rotate(recent_.begin(), recent, recent + 1);
        return *recent_.front().face;
      }
    }
    GlyphFace& face = FindFace(wanted, render);
    std::rotate(recent_.begin(), recent_.end() - 1, recent_.end());
    recent_.front() = {wanted, render, &face};
    return face;
  }

 private:
  struct RecentFace {
    FontRequest font;
    GlyphRender render = GlyphRender::kMono;
    GlyphFace* face = nullptr;
  };

  GlyphFace& FindFace(const FontRequest& wanted, GlyphRender render) {
    const auto key = std::make_tuple(Lowercase(wanted.name), wanted.em_pixels, wanted.bold, wanted.italic, render);
    auto found = faces_.find(key);
    if (found == faces_.end()) {
      const FontFile& file = FileFor(wanted);
      auto face = std::make_unique<GlyphFace>(Opened(file), file, std::max(1, wanted.em_pixels), render);
      found = faces_.emplace(key, std::move(face)).first;
    }
    return *found->second;
  }

  // Each font file is opened once, whatever the sizes drawn from it: opening parses the file and runs
  // its font program, which the growing countdown and end words would otherwise pay at every size.
  FT_Face Opened(const FontFile& file) {
    const auto key = std::make_pair(file.path, file.index);
    auto found = opened_.find(key);
    if (found == opened_.end()) {
      FT_Face face = nullptr;
      if (FT_New_Face(library_, file.path.c_str(), file.index, &face) != 0) face = nullptr;
      // Symbol fonts map their characters at U+F000 + code when they have no Unicode map.
      if (face != nullptr && FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0)
        FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL);
      found = opened_.emplace(key, face).first;
    }
    return found->second;
  }

  FontSystem() { FT_Init_FreeType(&library_); }
  ~FontSystem() {
    faces_.clear();
    for (const auto& [key, face] : opened_)
      if (face != nullptr) FT_Done_Face(face);
    FT_Done_FreeType(library_);
  }

  FT_Library library_ = nullptr;
  std::map<std::tuple<std::string, bool, bool>, FontFile> files_;
  std::map<std::pair<std::string, int>, FT_Face> opened_;
  std::map<std::tuple<std::string, int, bool, bool, GlyphRender>, std::unique_ptr<GlyphFace>> faces_;
  std::array<RecentFace, 4> recent_;
};

// UTF-8 to code points, handed to `use` one by one; a byte that does not start a valid sequence stands
// for itself (Latin-1).
template <typename Use>
void ForEachCode(std::string_view text, Use use) {
  for (size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const int length = byte < 0x80           ? 1
                       : (byte >> 5) == 0x6  ? 2
                       : (byte >> 4) == 0xE  ? 3
                       : (byte >> 3) == 0x1E ? 4
                                             : 0;
    char32_t code = length == 1 ? byte : length == 2 ? byte & 0x1F : length == 3 ? byte & 0x0F : byte & 0x07;
    bool valid = length > 0 && i + length <= text.size();
    for (int k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = code << 6 | (next & 0x3F);
    }
    use(valid ? code : char32_t{byte});
    i += valid ? length : 1;
  }
}

TextExtent CellOf(const GlyphFace& face) {
  return {0, face.Ascent() + face.Descent(), face.Ascent(), face.EmPixels()};
}

}  // namespace

int EmPixelsForPoints(int points) { return (std::abs(points) * 96 + 36) / 72; }

std::string ResolvedFamily(const FontRequest& wanted) { return FontSystem::Get().FileFor(wanted).family; }

TextExtent MeasureText(const FontRequest& wanted, std::string_view utf8) {
  GlyphFace& face = FontSystem::Get().FaceFor(wanted, GlyphRender::kMono);
  if (!face.Valid()) return {};
  TextExtent extent = CellOf(face);
  ForEachCode(utf8, [&](char32_t code) { extent.width += face.GlyphFor(code).advance; });
  return extent;
}

TextExtent LayOutText(const FontRequest& wanted, std::string_view utf8, GlyphRender render,
                      std::vector<PlacedGlyph>& placed) {
  placed.clear();
  GlyphFace& face = FontSystem::Get().FaceFor(wanted, render);
  if (!face.Valid()) return {};
  TextExtent cell = CellOf(face);
  ForEachCode(utf8, [&](char32_t code) {
    const Glyph& glyph = face.GlyphFor(code);
    if (glyph.width > 0 && glyph.height > 0)
      placed.push_back({&glyph, cell.width + glyph.left, cell.ascent - glyph.top});
    cell.width += glyph.advance;
  });
  return cell;
}

TextCoverage RenderText(const FontRequest& wanted, std::string_view utf8, GlyphRender render) {
  TextCoverage out;
  std::vector<PlacedGlyph> placed;
  out.cell = LayOutText(wanted, utf8, render, placed);
  int left = 0, top = 0, right = out.cell.width, bottom = out.cell.height;
  for (const PlacedGlyph& place : placed) {
    left = std::min(left, place.x);
    top = std::min(top, place.y);
    right = std::max(right, place.x + place.glyph->width);
    bottom = std::max(bottom, place.y + place.glyph->height);
  }
  out.left = left;
  out.top = top;
  out.width = right - left;
  out.height = bottom - top;
  out.alpha.assign(static_cast<size_t>(out.width) * out.height, 0);
  for (const PlacedGlyph& place : placed) {
    for (int y = 0; y < place.glyph->height; ++y) {
      const uint8_t* from = place.glyph->coverage.data() + static_cast<size_t>(y) * place.glyph->width;
      uint8_t* to = out.alpha.data() + static_cast<size_t>(place.y - top + y) * out.width + (place.x - left);
      for (int x = 0; x < place.glyph->width; ++x) to[x] = std::max(to[x], from[x]);
    }
  }
  return out;
}

}  // namespace jizdavo
