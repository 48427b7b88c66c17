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
// (Car chase), so that each record finds its own.
std::string ReplayFileName(GameMode mode, int32_t level, std::string_view name, TDateTime time);

// Writes the record's replay into `folder`, replacing any older one of that name. Throws Error
// "Unable to write to <file>".
void SaveReplay(const std::filesystem::path& folder, GameMode mode, int32_t level, std::string_view name,
                TDateTime time, const Replay& replay);

// The record's replay from `folder`: nothing when it has none; Error when the file does not read.
std::optional<Replay> LoadReplay(const std::filesystem::path& folder, GameMode mode, int32_t level,
                                 std::string_view name, TDateTime time);

// Removes the record's replay from `folder`, if it has one.
void RemoveReplay(const std::filesystem::path& folder, GameMode mode, int32_t level, std::string_view name,
                  TDateTime time);

}  // namespace jizdavo
