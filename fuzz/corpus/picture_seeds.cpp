// Seeds for the picture reader: the game's stored pictures and bitmap files as they are, and one small
// picture of the game's own in every other form the reader takes (each depth, short and full palettes,
// colour masks, run lengths with all their escapes, the old 12-byte header, rows stored top-down).
#include <algorithm>
#include <array>
#include <bit>
#include <map>
#include <string>
#include <vector>

#include "platform/asset_catalog.h"
#include "platform/dib_format.h"
#include "seed_folder.h"
#include "seeds.h"

namespace jizdavo::fuzzcorpus {
namespace {

constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr const char* kSourcePicture = "Clovek1c";  // small, with a handful of colours
constexpr size_t kPayloadsPerDepth = 2;

struct Form {
  const char* name;
  int bits;
  uint32_t compression = 0;
  bool core = false;
  bool top_down = false;
  bool short_palette = false;  // only the colours used, counted in the header
  std::array<uint32_t, 3> masks = {0, 0, 0};
};

const Form kForms[] = {
    {"1bit", 1},
    {"4bit", 4},
    {"8bit-short-palette", 8, 0, false, false, true},
    {"rle4", 4, kRle4},
    {"rle8", 8, kRle8, false, false, true},
    {"16bit-555", 16},
    {"16bit-565", 16, kBitFields, false, false, false, {0xF800, 0x07E0, 0x001F}},
    {"24bit-top-down", 24, 0, false, true},
    {"32bit", 32},
    {"32bit-red-low", 32, kBitFields, false, false, false, {0x0000FF, 0x00FF00, 0xFF0000}},
    {"core-8bit", 8, 0, true},
    {"core-24bit", 24, 0, true},
};

std::array<uint32_t, 3> MasksOf(const Form& form) {
  if (form.compression == kBitFields) return form.masks;
  if (form.bits == 16) return {0x7C00, 0x03E0, 0x001F};
  return {0xFF0000, 0x00FF00, 0x0000FF};
}

class Bytes {
 public:
  void Put(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  void Append(const std::vector<uint8_t>& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
  std::vector<uint8_t>& Get() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// A channel's top bits placed under its mask.
uint32_t UnderMask(uint32_t channel, uint32_t mask) {
  const int width = std::popcount(mask);
  return (channel >> (8 - width)) << std::countr_zero(mask);
}

class FormWriter {
 public:
  FormWriter(const DecodedPicture& picture, const Form& form) : picture_(picture), form_(form) {
    if (form.bits > 8) return;
    for (TColor color : picture.pixels)
      if (palette_.size() < (size_t{1} << form.bits) && std::find(palette_.begin(), palette_.end(), color) ==
                                                            palette_.end())
        palette_.push_back(color);
    if (!form.short_palette) palette_.resize(size_t{1} << form.bits, clBlack);
  }

  std::vector<uint8_t> Write() const {
    const bool run_length = form_.compression == kRle8 || form_.compression == kRle4;
    const std::vector<uint8_t> pixels = run_length ? RunLengths() : Rows();
    Bytes out;
    if (form_.core) {
      out.Put(12, 4);
      out.Put(picture_.width, 2);
      out.Put(picture_.height, 2);
      out.Put(1, 2);
      out.Put(form_.bits, 2);
    } else {
      out.Put(40, 4);
      out.Put(picture_.width, 4);
      out.Put(form_.top_down ? -picture_.height : picture_.height, 4);
      out.Put(1, 2);
      out.Put(form_.bits, 2);
      for (uint32_t field : {form_.compression, static_cast<uint32_t>(pixels.size()), 3780u, 3780u,
                             form_.short_palette ? static_cast<uint32_t>(palette_.size()) : 0u, 0u})
        out.Put(field, 4);
    }
    if (form_.compression == kBitFields)
      for (uint32_t mask : form_.masks) out.Put(mask, 4);
    for (TColor c : palette_) out.Put(GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16, form_.core ? 3 : 4);
    out.Append(pixels);
    return std::move(out.Get());
  }

 private:
  TColor At(int x, int y) const { return picture_.pixels[static_cast<size_t>(y) * picture_.width + x]; }
  uint32_t Index(int x, int y) const {
    const auto found = std::find(palette_.begin(), palette_.end(), At(x, y));
    return found == palette_.end() ? 0 : static_cast<uint32_t>(found - palette_.begin());
  }
  int StoredRow(int stored) const { return form_.top_down ? stored : picture_.height - 1 - stored; }

  std::vector<uint8_t> Rows() const {
    const size_t stride = (static_cast<size_t>(picture_.width) * form_.bits + 31) / 32 * 4;
    const std::array<uint32_t, 3> masks = MasksOf(form_);
    std::vector<uint8_t> rows(stride * picture_.height);
    for (int stored = 0; stored < picture_.height; ++stored) {
      uint8_t* row = rows.data() + stride * stored;
      const int y = StoredRow(stored);
      for (int x = 0; x < picture_.width; ++x) {
        const TColor c = At(x, y);
        if (form_.bits <= 8) {
          const size_t bit = static_cast<size_t>(x) * form_.bits;
          row[bit / 8] |= static_cast<uint8_t>(Index(x, y) << (8 - form_.bits - bit % 8));
          continue;
        }
        uint32_t value = GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16;
        if (form_.bits != 24)
          value = UnderMask(GetRValue(c), masks[0]) | UnderMask(GetGValue(c), masks[1]) |
                  UnderMask(GetBValue(c), masks[2]);
        for (int i = 0; i < form_.bits / 8; ++i) row[x * form_.bits / 8 + i] = static_cast<uint8_t>(value >> 8 * i);
      }
    }
    return rows;
  }

  // The first stored row goes as one absolute run, the others as runs of one index; a zero move and
  // the ends of line and picture complete the escapes.
  std::vector<uint8_t> RunLengths() const {
    const bool rle4 = form_.compression == kRle4;
    const auto packed = [&](uint32_t a, uint32_t b) { return rle4 ? a << 4 | b : a; };
    Bytes out;
    out.Put(0, 1), out.Put(2, 1), out.Put(0, 1), out.Put(0, 1);
    for (int stored = 0; stored < picture_.height; ++stored) {
      const int y = StoredRow(stored);
      if (stored == 0) {
        std::vector<uint8_t> run;
        for (int x = 0; x < picture_.width; x += rle4 ? 2 : 1)
          run.push_back(static_cast<uint8_t>(packed(Index(x, y), x + 1 < picture_.width ? Index(x + 1, y) : 0)));
        if (run.size() % 2) run.push_back(0);
        out.Put(0, 1), out.Put(picture_.width, 1);
        out.Append(run);
      }
      for (int x = stored == 0 ? picture_.width : 0; x < picture_.width;) {
        int count = 1;
        while (x + count < picture_.width && count < 255 && Index(x + count, y) == Index(x, y)) ++count;
        out.Put(count, 1), out.Put(packed(Index(x, y), Index(x, y)), 1);
        x += count;
      }
      out.Put(0, 1), out.Put(stored + 1 < picture_.height ? 0 : 1, 1);
    }
    return std::move(out.Get());
  }

  const DecodedPicture& picture_;
  const Form& form_;
  std::vector<TColor> palette_;
};

const StoredImage& FindStored(const std::string& name) {
  for (const StoredImage& item : StoredImages())
    if (name == item.name) return item;
  throw std::runtime_error("no stored picture " + name);
}

void WriteStoredPayloads(const SeedFolder& folder) {
  std::map<int, std::vector<const StoredImage*>> by_depth;
  for (const StoredImage& item : StoredImages())
    if (!item.payload.empty()) by_depth[DecodePicturePayload(item.payload).bit_count].push_back(&item);
  for (auto& [depth, items] : by_depth) {
    std::sort(items.begin(), items.end(),
              [](const StoredImage* a, const StoredImage* b) { return a->payload.size() < b->payload.size(); });
    for (size_t i = 0; i < items.size() && i < kPayloadsPerDepth; ++i)
      folder.Write(std::string(items[i]->name) + ".tdib", items[i]->payload);
  }
}

void WriteBitmapFiles(const SeedFolder& folder, const std::filesystem::path& graphics) {
  for (const auto& entry : std::filesystem::directory_iterator(graphics)) {
    if (entry.path().extension() != ".bmp") continue;
    const std::string bytes = ReadWhole(entry.path());
    const std::vector<uint8_t> file(bytes.begin(), bytes.end());
    Require(!DecodeBitmapFile(file).Empty(), entry.path().string());
    folder.Write(entry.path().filename().string(), file);
  }
}

}  // namespace

void WritePictureSeeds(const std::filesystem::path& corpus, const std::filesystem::path& program) {
  const SeedFolder folder(corpus, "fuzz_dib");
  WriteStoredPayloads(folder);
  WriteBitmapFiles(folder, program / "Graphics");
  const DecodedPicture source = DecodePicturePayload(FindStored(kSourcePicture).payload);
  for (const Form& form : kForms) {
    const std::vector<uint8_t> bitmap = FormWriter(source, form).Write();
    const DecodedPicture back = DecodeDIB(bitmap);
    Require(back.width == source.width && back.height == source.height, form.name);
    folder.Write(std::string(form.name) + ".dib", bitmap);
  }
}

}  // namespace jizdavo::fuzzcorpus
