#pragma once
// Where a surface has been written, kept as rectangles, so that a copy made of it earlier can be
// brought up to date by copying only the places that changed on either side.

#include <cstdint>
#include <vector>

#include "platform/rect.h"

namespace jizdavo {

class ChangeLog {
 public:
  // The number of changes so far: a copy remembers it to ask later what changed after it.
  uint64_t Count() const { return count_; }
  // A change inside `area`, which is not empty and lies on the surface.
  void Add(const TRect& area);
  // A change that may be anywhere.
  void AddEverywhere();
  // Hands `use` rectangles that together cover every change numbered above `since`; false, with
  // nothing handed over, when those changes are no longer known place by place.
  template <typename Use>
  bool ForEachSince(uint64_t since, Use use) const {
    if (since < known_after_) return false;
    for (auto entry = entries_.rbegin(); entry != entries_.rend() && entry->last > since; ++entry) use(entry->area);
    return true;
  }

 private:
  struct Entry {
    TRect area;
    uint64_t last;  // the number of the latest change inside `area`
  };

  std::vector<Entry> entries_;  // by ascending `last`
  uint64_t count_ = 0;
  uint64_t known_after_ = 0;  // every change numbered above this is in `entries_`
};

}  // namespace jizdavo
