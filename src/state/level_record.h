#pragma once
// Reading one level record of a level table: record n (1-based) is lines 4(n-1) .. 4(n-1)+3.
// The tables are fixed data; a record that does not read raises Error naming the record and line,
// where the old game would have read past the table or converted garbage.

#include <string>
#include <vector>

#include "state/game_state.h"

namespace jizdavo {

struct LevelRecord {
  int Lanes = 0;   // lanes per road, at least 2
  int Roads = 0;   // at least 1; Lanes * Roads fits LaneGap
  int Ground = 0;  // ground tile "Povrch" + Ground
  std::string Rules;  // line 4: barrier list or area rules
};

// One wall gap of a barrier line: the line b, the gap width and the gap's left edge.
struct BarrierGap {
  int Line = 0;
  int Width = 0;
  int Left = 0;
};

// Line 4 of a Car chase area: "hh:mm:ss;<to kill>;<start value>;<flag>".
struct AreaRules {
  TDateTime TimeLimit = 0;
  int CarsToKill = 0;
  int CarsKilled = 0;
  bool EveryCarCounts = false;  // the flag "1"
};

// `chase` only changes the wording of errors ("Area" instead of "Level").
LevelRecord ReadLevelRecord(const std::vector<std::string>& table, int level, bool chase);

// The gaps of barrier lines 0 .. roads, taking items from the head of the list in order: an item
// is used when its line comes up, so items out of ascending order are never reached and only one
// item per line is honoured. "no" and "" mean no barriers.
std::vector<BarrierGap> ReadBarrierGaps(const LevelRecord& record, int level);

AreaRules ReadAreaRules(const LevelRecord& record, int area);

}  // namespace jizdavo
