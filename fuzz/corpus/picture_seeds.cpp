// Seeds for the picture reader: the game's stored pictures and bitmap files as they are, and one small
// picture of the game's own in every other form the reader takes (each depth, short and full palettes,
// colour masks, run lengths, runs into the rows' padding, the old 12-byte header and the later 108-
// and 124-byte ones, rows stored top-down).
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/assets/asset_catalog.h"
#include "platform/pictures/dib_format.h"
#include "seed_folder.h"
#include "seeds.h"

namespace jizdavo::fuzzcorpus {
namespace {

constexpr const char* kSourcePicture = "Clovek1c";  // small, with a handful of colours
constexpr size_t kPayloadsPerDepth = 2;

struct Form {
  const char* name;
  DibForm form;
};

const Form kForms[] = {
    {"1bit", {.bits = 1, .full_palette = true}},
    {"4bit", {.bits = 4, .full_palette = true}},
    {"8bit-short-palette", {.bits = 8}},
    {"rle4", {.bits = 4, .compression = kDibRle4, .full_palette = true}},
    {"rle8", {.bits = 8, .compression = kDibRle8}},
    {"rle8-runs-into-padding", {.bits = 8, .compression = kDibRle8, .runs_into_padding = true}},
    {"rle4-runs-into-padding", {.bits = 4, .compression = kDibRle4, .runs_into_padding = true}},
    {"16bit-555", {.bits = 16}},
    {"16bit-565", {.bits = 16, .compression = kDibBitFields, .masks = {0xF800, 0x07E0, 0x001F}}},
    {"16bit-565-header-124",
     {.bits = 16, .compression = kDibBitFields, .header_size = 124, .masks = {0xF800, 0x07E0, 0x001F}}},
    {"24bit-top-down", {.top_down = true}},
    {"24bit-header-108", {.header_size = 108}},
    {"8bit-header-124", {.bits = 8, .header_size = 124}},
    {"32bit", {.bits = 32}},
    {"32bit-red-low", {.bits = 32, .compression = kDibBitFields, .masks = {0x0000FF, 0x00FF00, 0xFF0000}}},
    {"core-8bit", {.bits = 8, .header_size = 12, .full_palette = true}},
    {"core-24bit", {.header_size = 12}},
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
    const std::vector<uint8_t> bitmap = EncodeDIB({source.width, source.height, source.pixels.data()}, form.form);
    const DecodedPicture back = DecodeDIB(bitmap);
    Require(back.width == source.width && back.height == source.height, form.name);
    folder.Write(std::string(form.name) + ".dib", bitmap);
  }
}

}  // namespace jizdavo::fuzzcorpus
