#pragma once
// Replays: what decides a game (mode, level, difficulty, wanted cars, the random seed, the clock at
// Start) and what each game tick saw (its time, lag count, keys, countdown steps and a resume), kept
// for every record of the best-times lists in a file of its own beside them. The bytes are laid out
// in docs/replay-format.md.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/best_times.h"
#include "files/data_folder.h"
#include "state/game_state.h"

namespace jizdavo {

// The keys a tick sees, one bit each.
enum ReplayKey : uint8_t {
  kReplayUp = 1,
  kReplayDown = 2,
  kReplayLeft = 4,
  kReplayRight = 8,
  kReplayEscape = 16,
  kReplayEnter = 32,
};
inline constexpr uint8_t kReplayAllKeys = 63;

struct ReplayTick {
  uint32_t delta = 0;  // milliseconds since the tick before (the first: since Start)
  int32_t lag = 0;     // the frame timer's lag count
  uint8_t keys = 0;    // ReplayKey bits held at this tick
  // One-second countdown steps that came since the tick before.
  uint8_t countdown_steps = 0;
  // The game was resumed from the pause since the tick before, this many milliseconds after Start.
  std::optional<uint32_t> resumed_after;

  bool operator==(const ReplayTick&) const = default;
};

struct Replay {
  GameMode mode = GameMode::Standard;
  int32_t level = 1;
  int32_t difficulty = 1;
  int32_t target_car1 = 0;
  int32_t target_car2 = 0;
  uint64_t seed = 0;        // the random source's base seed
  uint32_t start_time = 0;  // the clock at Start
  uint32_t result_ms = 0;   // the game clock at the end: time taken, or time left in Car chase
  std::vector<ReplayTick> ticks;

  bool operator==(const Replay&) const = default;
};

// No replay file is read beyond this: about four hours of play.
inline constexpr size_t kReplayReadLimit = 4 << 20;

// The file's bytes.
std::string EncodeReplay(const Replay& replay);

// The replay in `bytes`; throws Error naming what is wrong ("Replay is damaged: ...") for anything
// that is not a whole replay of this version.
Replay DecodeReplay(std::string_view bytes);

// The file of a record: "Score-<level>-<time digits>-<name in hex>.rpl" (Standard) or "Scoreh-..."
// (Car chase). The `occurrence`-th record of a level with one name and time (in the order they were
// entered) adds "-<occurrence>" from the second on, so that each record has a file of its own.
std::string ReplayFileName(GameMode mode, int32_t level, std::string_view name, TDateTime time,
                           int occurrence = 1);
// Whether `file_name` is one ReplayFileName gives.
bool IsReplayFileName(std::string_view file_name);

// Which of the records with its name and time row `index` of a top ten is, from 1. Equal times keep
// the order they were entered in, so the others entered before it are the rows above it.
int OccurrenceOf(const std::vector<BestTimeRow>& top_ten, size_t index);

// Writes the record's replay into `folder`, replacing any older one of that name. Throws Error
// "Unable to write to <file>".
void SaveReplay(const std::filesystem::path& folder, GameMode mode, int32_t level, std::string_view name,
                TDateTime time, const Replay& replay, int occurrence = 1);

// After a record of `level` was appended as `name` and `time`, the `occurrence`-th with them
// (AppendBestTime tells): writes `replay` (none: nothing) as its replay, and removes every replay file of the level that is no record's of its top ten, whichever
// copy of the game wrote it (a record pushed out meanwhile gets none), all under the lock every copy
// takes on the folder to save. So after any save the level's replay files are its top ten's. Throws
// Error "Unable to write to <file>".
void SaveRecordReplay(const std::filesystem::path& folder, GameMode mode, int32_t level, std::string_view name,
                      TDateTime time, int occurrence, const Replay* replay);

// The record's replay from `folder`: nothing when it has none; Error when the file does not read.
std::optional<Replay> LoadReplay(const std::filesystem::path& folder, GameMode mode, int32_t level,
                                 std::string_view name, TDateTime time, int occurrence = 1);

}  // namespace jizdavo
