#include "files/replay_file.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "platform/error.h"
#include "platform/little_endian.h"
#include "state/date_time.h"
#include "state/game_rules.h"

namespace jizdavo {

namespace {

constexpr char kMagic[4] = {'J', 'Z', 'R', 'P'};
constexpr uint8_t kVersion = 1;
constexpr size_t kHeaderSize = 36;
constexpr size_t kEventSize = 9;
// A tick byte of this value has its delta in a Gap event.
constexpr uint8_t kLongDelta = 255;

enum EventKind : uint8_t { kKeys = 1, kCountdown = 2, kResumed = 3, kLag = 4, kGap = 5 };

void PutLittle(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

uint64_t GetLittle(std::string_view in, size_t at, int bytes) {
  return ReadLittleEndian(reinterpret_cast<const uint8_t*>(in.data()) + at, bytes);
}

void PutEvent(std::string& out, size_t tick, EventKind kind, uint32_t value) {
  PutLittle(out, tick, 4);
  out += static_cast<char>(kind);
  PutLittle(out, value, 4);
}

[[noreturn]] void Damaged(const std::string& what) { throw Error("Replay is damaged: " + what); }

void Require(bool holds, const std::string& what) {
  if (!holds) Damaged(what);
}

std::string Hex(std::string_view bytes) {
  std::string text;
  char digits[3];
  for (unsigned char c : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", c);
    text += digits;
  }
  return text;
}

std::filesystem::path ReplayFile(const std::filesystem::path& folder, GameMode mode, int32_t level,
                                 std::string_view name, TDateTime time, int occurrence) {
  return folder / ReplayFileName(mode, level, name, time, occurrence);
}

std::string ReplayStem(GameMode mode, int32_t level) {
  return std::string(mode == GameMode::Standard ? "Score-" : "Scoreh-") + std::to_string(level) + "-";
}

// Removes the replay files of `level` in `folder` not named in `kept`.
void RemoveReplaysBut(const std::filesystem::path& folder, GameMode mode, int32_t level,
                      const std::set<std::string>& kept) {
  const std::string stem = ReplayStem(mode, level);
  std::error_code error;
  for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with(stem) && IsReplayFileName(name) && !kept.contains(name)) RemoveStoredFile(entry.path());
  }
}

}  // namespace

std::string EncodeReplay(const Replay& replay) {
  std::string events;
  size_t event_count = 0;
  const auto event = [&](size_t tick, EventKind kind, uint32_t value) {
    PutEvent(events, tick, kind, value);
    ++event_count;
  };
  std::string deltas;
  uint8_t keys = 0;
  for (size_t i = 0; i < replay.ticks.size(); ++i) {
    const ReplayTick& tick = replay.ticks[i];
    deltas += static_cast<char>(tick.delta < kLongDelta ? tick.delta : kLongDelta);
    if (tick.delta >= kLongDelta) event(i, kGap, tick.delta);
    if (tick.lag != static_cast<int32_t>(tick.delta)) event(i, kLag, static_cast<uint32_t>(tick.lag));
    if (tick.keys != keys) event(i, kKeys, tick.keys);
    keys = tick.keys;
    if (tick.countdown_steps) event(i, kCountdown, tick.countdown_steps);
    if (tick.resumed_after) event(i, kResumed, *tick.resumed_after);
  }
  std::string out(kMagic, sizeof kMagic);
  out += static_cast<char>(kVersion);
  out += static_cast<char>(replay.mode == GameMode::CarChase);
  for (int32_t small : {replay.level, replay.difficulty, replay.target_car1, replay.target_car2}) {
    out += static_cast<char>(small);
  }
  PutLittle(out, 0, 2);
  PutLittle(out, replay.seed, 8);
  PutLittle(out, replay.start_time, 4);
  PutLittle(out, replay.result_ms, 4);
  PutLittle(out, replay.ticks.size(), 4);
  PutLittle(out, event_count, 4);
  return out + deltas + events;
}

Replay DecodeReplay(std::string_view bytes) {
  if (bytes.size() > kReplayReadLimit) throw Error("Replay is too large (" + std::to_string(bytes.size()) + " bytes)");
  if (bytes.size() < sizeof kMagic || bytes.substr(0, sizeof kMagic) != std::string_view(kMagic, sizeof kMagic)) {
    throw Error("Not a replay file");
  }
  Require(bytes.size() >= kHeaderSize, "the header is cut short");
  const uint8_t version = static_cast<uint8_t>(bytes[4]);
  if (version != kVersion) throw Error("Replay version " + std::to_string(version) + " is not supported");
  Replay replay;
  Require(static_cast<uint8_t>(bytes[5]) <= 1, "unknown game mode");
  replay.mode = bytes[5] ? GameMode::CarChase : GameMode::Standard;
  replay.level = static_cast<uint8_t>(bytes[6]);
  replay.difficulty = static_cast<uint8_t>(bytes[7]);
  replay.target_car1 = static_cast<uint8_t>(bytes[8]);
  replay.target_car2 = static_cast<uint8_t>(bytes[9]);
  Require(replay.level >= 1 && replay.level <= LevelCount(replay.mode), "no such level");
  // 1 Easy, 2 Medium, 3 Hard: the menus offer no other (a 0 would play with no traffic at all).
  Require(replay.difficulty >= 1 && replay.difficulty <= 3, "no such difficulty");
  Require(replay.target_car1 <= kCarTypes && replay.target_car2 <= kCarTypes, "no such car type");
  Require(GetLittle(bytes, 10, 2) == 0, "reserved bytes are not zero");
  replay.seed = GetLittle(bytes, 12, 8);
  replay.start_time = static_cast<uint32_t>(GetLittle(bytes, 20, 4));
  replay.result_ms = static_cast<uint32_t>(GetLittle(bytes, 24, 4));
  const uint64_t tick_count = GetLittle(bytes, 28, 4);
  const uint64_t event_count = GetLittle(bytes, 32, 4);
  Require(kHeaderSize + tick_count + event_count * kEventSize == bytes.size(),
          "its length does not match its " + std::to_string(tick_count) + " ticks and " +
              std::to_string(event_count) + " events");

  replay.ticks.resize(tick_count);
  for (size_t i = 0; i < tick_count; ++i) {
    replay.ticks[i].delta = static_cast<uint8_t>(bytes[kHeaderSize + i]);
    replay.ticks[i].lag = static_cast<int32_t>(replay.ticks[i].delta);
  }
  std::vector<bool> gap_given(tick_count, false);
  uint8_t keys = 0;
  size_t keys_from = 0;
  size_t previous_tick = 0;
  for (size_t e = 0; e < event_count; ++e) {
    const size_t at = kHeaderSize + tick_count + e * kEventSize;
    const size_t tick = GetLittle(bytes, at, 4);
    const uint8_t kind = static_cast<uint8_t>(bytes[at + 4]);
    const uint32_t value = static_cast<uint32_t>(GetLittle(bytes, at + 5, 4));
    const std::string which = "event " + std::to_string(e + 1);
    Require(tick < tick_count && tick >= previous_tick, which + " is out of order");
    previous_tick = tick;
    ReplayTick& target = replay.ticks[tick];
    switch (kind) {
      case kKeys:
        Require(value <= kReplayAllKeys, which + " holds unknown keys");
        for (; keys_from < tick; ++keys_from) replay.ticks[keys_from].keys = keys;
        keys = static_cast<uint8_t>(value);
        break;
      case kCountdown:
        Require(value >= 1 && value <= 3, which + " counts down too far");
        target.countdown_steps = static_cast<uint8_t>(value);
        break;
      case kResumed:
        target.resumed_after = value;
        break;
      case kLag:
        Require(value >= 1 && value <= kLongestTick, which + " holds a lag of " + std::to_string(value));
        target.lag = static_cast<int32_t>(value);
        break;
      case kGap:
        Require(target.delta == kLongDelta && value >= kLongDelta && !gap_given[tick],
                which + " does not fit its tick");
        gap_given[tick] = true;
        // A tick whose lag was not given separately has the delta as its lag.
        if (target.lag == static_cast<int32_t>(target.delta)) target.lag = static_cast<int32_t>(value);
        target.delta = value;
        break;
      default:
        Damaged(which + " is of unknown kind " + std::to_string(kind));
    }
  }
  for (; keys_from < tick_count; ++keys_from) replay.ticks[keys_from].keys = keys;
  // No tick counts more time than the game gives one. A resume written by the first games of this
  // format carries the whole pause in its tick's time; that tick counts from the resume.
  uint32_t time = replay.start_time;
  for (size_t i = 0; i < tick_count; ++i) {
    const ReplayTick& tick = replay.ticks[i];
    const std::string which = "tick " + std::to_string(i + 1);
    Require(tick.delta != kLongDelta || gap_given[i], which + " has no time");
    time += tick.delta;
    const uint32_t counted = tick.resumed_after ? time - (replay.start_time + *tick.resumed_after) : tick.delta;
    Require(counted <= kLongestTick, which + " counts " + std::to_string(counted) + " ms");
    Require(static_cast<uint32_t>(tick.lag) <= kLongestTick, which + " has a lag of " + std::to_string(tick.lag));
  }
  return replay;
}

std::string ReplayFileName(GameMode mode, int32_t level, std::string_view name, TDateTime time, int occurrence) {
  const TimeParts parts = SplitTime(time);
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d%02d%03d", parts.Minute, parts.Second, parts.Millisecond);
  const std::string which = occurrence > 1 ? "-" + std::to_string(occurrence) : "";
  return ReplayStem(mode, level) + digits + "-" + Hex(name) + which + ".rpl";
}

bool IsReplayFileName(std::string_view file_name) {
  const auto digits = [](std::string_view text, std::string_view allowed) {
    return !text.empty() && text.find_first_not_of(allowed) == std::string_view::npos;
  };
  if (!file_name.ends_with(".rpl")) return false;
  file_name.remove_suffix(4);
  for (std::string_view stem : {"Score-", "Scoreh-"}) {
    if (!file_name.starts_with(stem)) continue;
    std::string_view rest = file_name.substr(stem.size());
    const size_t dash = rest.find('-');
    if (dash == std::string_view::npos || !digits(rest.substr(0, dash), "0123456789")) continue;
    rest.remove_prefix(dash + 1);
    if (rest.size() < 8 || !digits(rest.substr(0, 7), "0123456789") || rest[7] != '-') continue;
    rest.remove_prefix(8);
    const size_t which = rest.find('-');
    const std::string_view hex = rest.substr(0, which);
    if ((hex.empty() || digits(hex, "0123456789ABCDEF")) && hex.size() % 2 == 0 &&
        (which == std::string_view::npos || digits(rest.substr(which + 1), "0123456789"))) {
      return true;
    }
  }
  return false;
}

int OccurrenceOf(const std::vector<BestTimeRow>& top_ten, size_t index) {
  const BestTimeRow& row = top_ten.at(index);
  return 1 + static_cast<int>(std::count_if(top_ten.begin(), top_ten.begin() + static_cast<std::ptrdiff_t>(index),
                                            [&row](const BestTimeRow& above) {
                                              return above.Name == row.Name && above.Time == row.Time;
                                            }));
}

void SaveReplay(const std::filesystem::path& folder, GameMode mode, int32_t level, std::string_view name,
                TDateTime time, const Replay& replay, int occurrence) {
  ReplaceFileAtomically(ReplayFile(folder, mode, level, name, time, occurrence), EncodeReplay(replay));
}

void SaveRecordReplay(const std::filesystem::path& folder, GameMode mode, int32_t level, std::string_view name,
                      TDateTime time, int occurrence, const Replay* replay) {
  const std::string stored_name = StoredName(name);
  const std::filesystem::path file = ReplayFile(folder, mode, level, stored_name, time, occurrence);
  // The rewrite's work runs under the folder's lock, up to the rename: it reads the top ten as it is
  // now and keeps only its replays. Every copy appends its record before it takes this lock, so no
  // replay of a record the top ten does not hold yet can be on disk.
  RewriteFile(file, 0, nullptr, [&](const StoredContent&) -> std::optional<std::string> {
    const std::vector<BestTimeRow> top_ten = LoadTopTen(folder, mode, level);
    std::set<std::string> kept;
    for (size_t i = 0; i < top_ten.size(); ++i) {
      kept.insert(ReplayFileName(mode, level, top_ten[i].Name, top_ten[i].Value, OccurrenceOf(top_ten, i)));
    }
    RemoveReplaysBut(folder, mode, level, kept);
    if (!replay || !kept.contains(file.filename().string())) return std::nullopt;
    return EncodeReplay(*replay);
  });
}

std::optional<Replay> LoadReplay(const std::filesystem::path& folder, GameMode mode, int32_t level,
                                 std::string_view name, TDateTime time, int occurrence) {
  const std::filesystem::path file = ReplayFile(folder, mode, level, name, time, occurrence);
  const StoredContent content = ReadStoredFile(file, kReplayReadLimit + 1);
  switch (content.state) {
    case FileState::Missing:
      return std::nullopt;
    case FileState::Refused:
      throw Error("Unable to read " + file.string());
    case FileState::Cut:
      throw Error("Replay is too large (" + file.string() + ")");
    case FileState::Whole:
      break;
  }
  // An empty file is no replay (a folder kept in memory reads a missing file as empty).
  if (content.bytes.empty()) return std::nullopt;
  return DecodeReplay(content.bytes);
}


}  // namespace jizdavo
