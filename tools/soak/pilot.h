#pragma once
// The pedestrian's walker during a game: in Standard it heads for the gap of the next barrier line and
// then for the finish, the way a careful player would; in Car chase (or when told to) it wanders.

#include <random>

#include "soak_machine.h"

namespace jizdavo::soak {

class Pilot {
 public:
  Pilot(SoakMachine& machine, std::mt19937& rng) : machine_(machine), rng_(rng) {}

  // Holds the keys for the next frame.
  void Steer();
  void Wander();

 private:
  struct Heading {
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
  };
  void HoldHeading(const Heading& heading);
  // Where the left edge of a figure `width` wide at `y` should be before going down: the middle of the
  // next barrier gap, or below the last line the middle of the screen, where the finish is.
  double TargetLeft(double y, int width) const;

  SoakMachine& machine_;
  std::mt19937& rng_;
  Heading wander_;
  int wander_frames_ = 0;
};

}  // namespace jizdavo::soak
