#include "pilot.h"

#include <algorithm>
#include <cmath>

#include "state/game_rules.h"
#include "state/level_record.h"
#include "sprites/player.h"

namespace jizdavo::soak {

namespace {

// The figure walks this far below a barrier line's top before it turns towards the next gap.
constexpr double kClearOfLine = 12.0;

}  // namespace

void Pilot::HoldHeading(const Heading& heading) {
  machine_.Hold(kScanUp, heading.up);
  machine_.Hold(kScanDown, heading.down);
  machine_.Hold(kScanLeft, heading.left);
  machine_.Hold(kScanRight, heading.right);
}

double Pilot::TargetLeft(double y, int width) const {
  TJizdavo& window = machine_.Window();
  const LevelRecord record = ReadLevelRecord(window.Levels, Game.Level, false);
  for (const BarrierGap& gap : ReadBarrierGaps(record, Game.Level)) {
    const int line_y = BarrierLineY(Game.RoadTop, record.Lanes, gap.Line);
    if (y < line_y + kClearOfLine) return gap.Left + gap.Width / 2.0 - width / 2.0;
  }
  return window.DXDraw1.Width() / 2.0 - width / 2.0;
}

void Pilot::Steer() {
  const TPlayer* player = Game.Player;
  if (player == nullptr) return;
  // Walking pictures are turned, so the figure may be as wide as it is tall.
  const int size = std::max(player->Width, player->Height);
  const double off = player->X - TargetLeft(player->Y, size);
  Heading heading;
  heading.left = off > 2.0;
  heading.right = off < -2.0;
  heading.down = !heading.left && !heading.right;
  HoldHeading(heading);
}

void Pilot::Wander() {
  if (--wander_frames_ <= 0) {
    std::uniform_int_distribution<int> direction(0, 4);
    wander_ = Heading{};
    switch (direction(rng_)) {
      case 0: wander_.up = true; break;
      case 1: wander_.down = true; break;
      case 2: wander_.left = true; break;
      case 3: wander_.right = true; break;
      default: break;  // stands still
    }
    wander_frames_ = std::uniform_int_distribution<int>(10, 90)(rng_);
  }
  HoldHeading(wander_);
}

}  // namespace jizdavo::soak
