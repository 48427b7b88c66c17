#include "widgets/controls/control_text.h"

#include <unordered_map>

namespace jizdavo {

namespace {

// The menus show a few dozen captions; the bound only matters for text that keeps changing (a name
// being typed), which would otherwise pile up for the whole run.
constexpr size_t kCachedCaptions = 512;
// No panel shows more than a few dozen characters (the screen is 640 pixels wide); a longer caption
// (a damaged file's name) is rendered and kept only this far, so the cache stays small.
constexpr size_t kLongestCaption = 256;

std::string CacheKey(const TControlFont& font, std::string_view caption) {
  std::string key = font.Name;
  key += '\0';
  key += std::to_string(font.Height);
  key += font.Bold ? 'b' : '-';
  key += font.Italic ? 'i' : '-';
  key += '\0';
  key += caption;
  return key;
}

}  // namespace

TControlFont HeadingFont() { return {"Tahoma", 20, kMenuTextColor, true, true}; }

TControlFont ItemFont() { return MenuFont("Arial Black", 13); }

TControlFont MenuFont(const std::string& name, int height) {
  return {name, height, kMenuTextColor, false, false};
}

FontRequest FontRequestOf(const TControlFont& font) { return {font.Name, font.Height, font.Bold, font.Italic}; }

// Only one- and two-byte sequences can hold a Latin-1 character (lead bytes C2 and C3); any other
// sequence is skipped whole, continuation bytes included.
std::string Latin1FromUtf8(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[i++]);
    if (byte < 0x80) {
      out += static_cast<char>(byte);
      continue;
    }
    const bool continued = i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80;
    if ((byte == 0xC2 || byte == 0xC3) && continued) {
      out += static_cast<char>((byte & 0x03) << 6 | (static_cast<unsigned char>(utf8[i++]) & 0x3F));
      continue;
    }
    while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
  }
  return out;
}

std::string Utf8FromLatin1(std::string_view latin1) {
  std::string out;
  for (char c : latin1) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | code >> 6);
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

const TextCoverage& CachedText(const TControlFont& font, std::string_view caption) {
  static std::unordered_map<std::string, TextCoverage> cache;
  caption = caption.substr(0, kLongestCaption);
  std::string key = CacheKey(font, caption);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  if (cache.size() >= kCachedCaptions) cache.clear();
  TextCoverage text = RenderText(FontRequestOf(font), Utf8FromLatin1(caption), GlyphRender::kCoverage);
  return cache.emplace(std::move(key), std::move(text)).first->second;
}

}  // namespace jizdavo
