#include "platform/display/image_list.h"

#include <algorithm>
#include <cctype>

#include "platform/pixels/draw_rotated.h"
#include "platform/pixels/draw_scaled.h"
#include "platform/error.h"

namespace jizdavo {

namespace {

// Two names are the same item when they are equal letter by letter after lower-casing.
std::string LowerCaseName(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

// The picture in the display format: each 8-bit channel cut to its 5-6-5 width.
void CopyPicture(const TDIB& picture, TSurface& surface) {
  for (int y = 0; y < picture.Height(); ++y) {
    const TColor* from = picture.Row(y);
    RawPixel* to = surface.Row(y);
    for (int x = 0; x < picture.Width(); ++x) to[x] = rgb565::FromColor(from[x]);
  }
}

}  // namespace

TPictureCollectionItem::TPictureCollectionItem(std::string name)
    : name_(std::move(name)), picture_(std::make_unique<TDIB>()) {}

TPictureCollectionItem::~TPictureCollectionItem() = default;

void TPictureCollectionItem::ResetPicture() { picture_ = std::make_unique<TDIB>(); }

void TPictureCollectionItem::SetTransparentColor(TColor color) {
  transparent_color_ = color;
  for (auto& surface : surfaces_) surface->SetColorKey(surface->MatchColor(color));
}

void TPictureCollectionItem::SetInitialized(bool initialized) {
  initialized_ = initialized;
  if (!initialized) {
    patterns_.clear();
    surfaces_.clear();
  }
}

// One surface holds the whole picture; the patterns are the cells of a grid on it, row by row (a single
// cell when the pattern size is the picture's).
void TPictureCollectionItem::Rebuild() {
  if (!initialized_) return;
  patterns_.clear();
  surfaces_.clear();
  const TDIB& picture = *picture_;
  if (picture.Empty()) return;
  auto surface = std::make_unique<TSurface>(picture.Width(), picture.Height());
  CopyPicture(picture, *surface);
  surface->SetColorKey(surface->MatchColor(transparent_color_));

  const int pitch_x = Width() + std::max(SkipWidth, 0);
  const int pitch_y = Height() + std::max(SkipHeight, 0);
  const int columns = (picture.Width() + std::max(SkipWidth, 0)) / pitch_x;
  const int rows = (picture.Height() + std::max(SkipHeight, 0)) / pitch_y;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      patterns_.push_back({surface.get(), Bounds(column * pitch_x, row * pitch_y, Width(), Height())});
    }
  }
  surfaces_.push_back(std::move(surface));
}

void TPictureCollectionItem::DrawAt(TSurface& dest, int x, int y, int index) const {
  if (!initialized_ || PatternSurface(index) == nullptr) return;
  dest.DrawSurface(x, y, PatternRect(index), PatternSurface(index), Transparent);
}

void TPictureCollectionItem::DrawStretched(TSurface& dest, const TRect& rect, int index) const {
  if (!initialized_ || PatternSurface(index) == nullptr) return;
  DrawScaled(dest, rect, *PatternSurface(index), PatternRect(index), 255, Transparent);
}

void TPictureCollectionItem::DrawBlended(TSurface& dest, const TRect& rect, int index, int alpha) const {
  if (!initialized_ || PatternSurface(index) == nullptr) return;
  DrawScaled(dest, rect, *PatternSurface(index), PatternRect(index), alpha, Transparent);
}

void TPictureCollectionItem::DrawRotated(TSurface& dest, int x, int y, int w, int h, int index,
                                         double center_x, double center_y, int angle) const {
  if (!initialized_ || PatternSurface(index) == nullptr) return;
  DrawRotatedCopy(dest, x, y, w, h, *PatternSurface(index), PatternRect(index), center_x, center_y, angle,
                  Transparent);
}

TPictureCollectionItem& TDXImageList::Add(std::string name) {
  items_.push_back(std::make_unique<TPictureCollectionItem>(std::move(name)));
  TPictureCollectionItem& item = *items_.back();
  item.SetInitialized(initialized_);
  by_name_.emplace(LowerCaseName(item.Name()), &item);  // an earlier item of the same name keeps it
  return item;
}

TPictureCollectionItem& TDXImageList::Find(const std::string& name) {
  for (const auto& [spelling, item] : recent_) {
    if (item != nullptr && spelling == name) return *item;
  }
  const auto found = by_name_.find(LowerCaseName(name));
  if (found == by_name_.end()) throw Error("Image '" + name + "' not found");
  recent_[next_recent_++ % recent_.size()] = {name, found->second};
  return *found->second;
}

void TDXImageList::InitializeAll() {
  initialized_ = true;
  for (auto& item : items_) item->SetInitialized(true);
}

void TDXImageList::RebuildAll() {
  for (auto& item : items_) item->Rebuild();
}

void TDXImageList::FinalizeAll() {
  initialized_ = false;
  for (auto& item : items_) item->SetInitialized(false);
}

}  // namespace jizdavo
