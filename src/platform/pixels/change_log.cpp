#include "platform/pixels/change_log.h"

#include <algorithm>
#include <cstddef>

namespace jizdavo {

namespace {

// A log that grows past this forgets its older half; copies older than that are made whole again.
constexpr size_t kMaxEntries = 1024;
// Neighbouring changes join into one rectangle while that covers at most this many pixels beyond
// them, so that a line of text or a row of glyph spans costs one entry, not hundreds.
constexpr int64_t kJoinSlack = 1024;

int64_t Area(const TRect& r) { return int64_t{r.Width()} * r.Height(); }

TRect Union(const TRect& a, const TRect& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

}  // namespace

void ChangeLog::Add(const TRect& area) {
  ++count_;
  if (!entries_.empty()) {
    Entry& latest = entries_.back();
    const TRect joined = Union(latest.area, area);
    if (Area(joined) <= Area(latest.area) + Area(area) + kJoinSlack) {
      latest = {joined, count_};
      return;
    }
  }
  entries_.push_back({area, count_});
  if (entries_.size() > kMaxEntries) {
    const size_t forgotten = entries_.size() / 2;
    known_after_ = entries_[forgotten - 1].last;
    entries_.erase(entries_.begin(), entries_.begin() + static_cast<ptrdiff_t>(forgotten));
  }
}

void ChangeLog::AddEverywhere() {
  ++count_;
  entries_.clear();
  known_after_ = count_;
}

}  // namespace jizdavo
