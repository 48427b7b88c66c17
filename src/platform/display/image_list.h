#pragma once
// The named image collection: each item a picture with its display-format surfaces and drawing.

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/color.h"
#include "platform/pixels/dib.h"
#include "platform/rect.h"
#include "platform/pixels/surface.h"

namespace jizdavo {

class TPictureCollectionItem {
 public:
  explicit TPictureCollectionItem(std::string name);
  ~TPictureCollectionItem();

  const std::string& Name() const { return name_; }
  TDIB& Picture() { return *picture_; }
  // Gives the item a new empty picture, as the game does for its run-time images.
  void ResetPicture();

  int PatternWidth = 0;
  int PatternHeight = 0;
  int SkipWidth = 0;
  int SkipHeight = 0;
  bool SystemMemory = false;
  bool Transparent = false;

  TColor TransparentColor() const { return transparent_color_; }
  // Re-keys every surface of the item at once, without rebuilding it.
  void SetTransparentColor(TColor color);

  // The pattern size: PatternWidth (PatternHeight) if above 0, else the picture's.
  int Width() const { return PatternWidth > 0 ? PatternWidth : picture_->Width(); }
  int Height() const { return PatternHeight > 0 ? PatternHeight : picture_->Height(); }

  bool Initialized() const { return initialized_; }
  void SetInitialized(bool initialized);
  // Builds the patterns and surfaces again from the picture (nothing when not initialised).
  void Rebuild();

  int PatternCount() const { return static_cast<int>(patterns_.size()); }
  TSurface* PatternSurface(int index) const {
    return index >= 0 && index < PatternCount() ? patterns_[index].surface : nullptr;
  }
  TRect PatternRect(int index) const {
    return index >= 0 && index < PatternCount() ? patterns_[index].rect : TRect{};
  }

  void DrawAt(TSurface& dest, int x, int y, int index) const;
  void DrawStretched(TSurface& dest, const TRect& rect, int index) const;
  void DrawBlended(TSurface& dest, const TRect& rect, int index, int alpha) const;
  void DrawRotated(TSurface& dest, int x, int y, int w, int h, int index, double center_x, double center_y,
                   int angle) const;

 private:
  struct Pattern {
    TSurface* surface;
    TRect rect;
  };

  std::string name_;
  std::unique_ptr<TDIB> picture_;
  TColor transparent_color_ = clBlack;
  bool initialized_ = false;
  std::vector<std::unique_ptr<TSurface>> surfaces_;
  std::vector<Pattern> patterns_;
};

class TDXImageList {
 public:
  TPictureCollectionItem& Add(std::string name);
  int Count() const { return static_cast<int>(items_.size()); }
  TPictureCollectionItem& Item(int index) { return *items_.at(index); }
  // Names compare without regard to letter case; an unknown name raises "Image '%s' not found".
  TPictureCollectionItem& Find(const std::string& name);

  // The display exists: every item is initialised, without surfaces yet.
  void InitializeAll();
  // Restores every item from its picture, in collection order.
  void RebuildAll();
  void FinalizeAll();

 private:
  std::vector<std::unique_ptr<TPictureCollectionItem>> items_;
  // Lower-cased name to the first item of that name: sprites look items up every frame.
  std::unordered_map<std::string, TPictureCollectionItem*> by_name_;
  // The last names found, spelt as asked, taken in turn: items are never removed and a name's item
  // never changes, so an answer stays right.
  std::array<std::pair<std::string, TPictureCollectionItem*>, 8> recent_{};
  size_t next_recent_ = 0;
  bool initialized_ = false;  // items added later join in this state
};

}  // namespace jizdavo
