#pragma once
// What a soak run did, and what the files beside the program must hold afterwards.

#include <cstdint>
#include <string>
#include <vector>

#include "files/data_folder.h"

namespace jizdavo::soak {

struct EnteredTime {
  GameMode mode = GameMode::Standard;
  int32_t level = 0;
  std::string name;
};

struct SoakTally {
  int started = 0;
  int won = 0;
  int lost = 0;
  int aborted = 0;
  int paused = 0;
  int resumed = 0;
  int gave_up = 0;  // games the walker could not finish in its frame budget, then aborted
  int option_visits = 0;
  int score_visits = 0;
  int credit_visits = 0;
  std::vector<EnteredTime> entered;  // in the order they were appended
  // The highest unlocked level each mode's file must hold.
  int32_t standard_progress = 1;
  int32_t chase_progress = 1;
};

}  // namespace jizdavo::soak
