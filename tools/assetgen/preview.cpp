#include "preview.h"

#include <algorithm>
#include <string>

#include "file_output.h"
#include "picture_files.h"
#include "preview_scene.h"
#include "title_card.h"
#include "tiny_font.h"

namespace jizdavo::assetgen {

namespace {

constexpr int kZoom = 4;
constexpr int kSheetWidth = 1200;
constexpr int kGap = 12;
constexpr TColor kSheetBack = RGB(36, 38, 46);
constexpr TColor kLabel = RGB(214, 218, 206);

// See-through pixels show as a dark chequer, so the key colour never hides the shape.
TColor ShownColor(const ImageAsset& item, int x, int y) {
  TColor c = item.picture.At(x, y);
  if (item.transparent && c == item.key) return ((x + y) & 1) ? RGB(58, 60, 70) : RGB(50, 52, 62);
  return c;
}

void DrawCell(Raster& sheet, const ImageAsset& item, int left, int top) {
  DrawText(sheet, left, top, item.name, kLabel);
  int picture_top = top + kGlyphHeight + 4;
  for (int y = 0; y < item.picture.height; ++y)
    for (int x = 0; x < item.picture.width; ++x)
      sheet.FillRect(left + x * kZoom, picture_top + y * kZoom, kZoom, kZoom, ShownColor(item, x, y));
}

struct Placement {
  int left;
  int top;
};

// Left to right, wrapping into rows as tall as their tallest cell.
std::vector<Placement> Arrange(const std::vector<const ImageAsset*>& items, int* height) {
  std::vector<Placement> places;
  int x = kGap, y = kGap, row_height = 0;
  for (const ImageAsset* item : items) {
    int w = std::max(item->picture.width * kZoom, TextWidth(item->name));
    int h = item->picture.height * kZoom + kGlyphHeight + 4;
    if (x + w + kGap > kSheetWidth && x > kGap) {
      x = kGap;
      y += row_height + kGap;
      row_height = 0;
    }
    places.push_back({x, y});
    x += w + kGap;
    row_height = std::max(row_height, h);
  }
  *height = y + row_height + kGap;
  return places;
}

}  // namespace

Raster MakeContactSheet(const std::vector<ImageAsset>& images) {
  std::vector<const ImageAsset*> shown;
  for (const ImageAsset& item : images)
    if (item.picture.width > 0) shown.push_back(&item);
  int height = 0;
  std::vector<Placement> places = Arrange(shown, &height);
  Raster sheet(kSheetWidth, height, kSheetBack);
  for (size_t i = 0; i < shown.size(); ++i) DrawCell(sheet, *shown[i], places[i].left, places[i].top);
  return sheet;
}

void WritePreview(const std::filesystem::path& folder, const std::vector<ImageAsset>& images,
                  const std::vector<SoundAsset>& sounds) {
  for (const ImageAsset& item : images)
    if (item.picture.width > 0) WriteFile(folder / (item.name + ".bmp"), EncodeBitmapFile(item.picture));
  for (const SoundAsset& item : sounds)
    if (!item.wave.empty()) WriteFile(folder / (item.name + ".wav"), item.wave);
  WriteFile(folder / "contact-sheet.bmp", EncodeBitmapFile(MakeContactSheet(images)));
  WriteFile(folder / "scene-level-7.bmp", EncodeBitmapFile(MakeLevelScene(images, 3, 2, 3)));
  WriteFile(folder / "scene-level-13.bmp", EncodeBitmapFile(MakeLevelScene(images, 1, 5, 3)));
  for (int frame : {15, 50, 90})  // stills of the intro film
    WriteFile(folder / ("film-" + std::to_string(frame) + ".bmp"), EncodeBitmapFile(TitleCardFrame(frame)));
}

}  // namespace jizdavo::assetgen
