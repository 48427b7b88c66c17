#include "files/replay_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/error.h"
#include "state/date_time.h"

namespace jizdavo {
namespace {

// A Car chase game with every kind of event: keys, countdown steps, a lag unlike its delta, and two
// resumes written as the first games of this format wrote them, their pauses (one of more than 255 ms)
// in their ticks' times.
Replay EveryKindOfEvent() {
  Replay replay{GameMode::CarChase, 6, 3, 4, 28, 0x0123456789ABCDEFull, 0xFFFFFF00u, 61234, {}};
  for (uint32_t i = 0; i < 40; ++i) replay.ticks.push_back({i % 3 ? 17u : 16u, i % 3 ? 17 : 16, 0, 0, {}});
  replay.ticks[0].countdown_steps = 1;
  replay.ticks[5].keys = kReplayDown | kReplayLeft;
  replay.ticks[6].keys = kReplayDown | kReplayLeft;
  replay.ticks[7].keys = kReplayEscape;
  replay.ticks[8] = {4000, 17, kReplayEnter, 2, 3990};
  replay.ticks[9].lag = 33;
  replay.ticks[10] = {300, 17, 0, 0, 4432};  // 17 ms after the resume
  return replay;
}

TEST(ReplayFileTest, WritesAndReadsBackEveryKindOfEvent) {
  const Replay replay = EveryKindOfEvent();
  const std::string bytes = EncodeReplay(replay);
  EXPECT_EQ(bytes.substr(0, 5), std::string("JZRP\x01", 5));
  // Header, a byte a tick, and nine bytes an event: 4 key changes, 2 countdowns, 2 resumes, 3 lags, 2 gaps.
  EXPECT_EQ(bytes.size(), 36u + 40 + 9 * 13);
  EXPECT_EQ(DecodeReplay(bytes), replay);
  // The second record of a level with one name and time has a file of its own.
  for (int occurrence : {1, 2}) {
    const std::string which = occurrence == 1 ? "" : "-2";
    const std::string ann = ReplayFileName(GameMode::Standard, 3, "Ann", MakeTime(0, 1, 2, 345), occurrence);
    const std::string nameless = ReplayFileName(GameMode::CarChase, 12, "", MakeTime(0, 0, 0, 7), occurrence);
    EXPECT_EQ(ann, "Score-3-0102345-416E6E" + which + ".rpl");
    EXPECT_EQ(nameless, "Scoreh-12-0000007-" + which + ".rpl");
    EXPECT_TRUE(IsReplayFileName(ann) && IsReplayFileName(nameless));
  }
  for (const char* other : {"Score-3-0102345-416E6.rpl", "Score-3-0102345-416E6E.rpl.new", "Score.dat",
                            "Score-3-102345-416E6E.rpl", "Score-3-0102345-416E6E-.rpl", "Scores-3-0102345-41.rpl"}) {
    EXPECT_FALSE(IsReplayFileName(other)) << other;
  }
}

TEST(ReplayFileTest, RefusesWhatIsNotAWholeReplayOfThisVersionSayingWhy) {
  const std::string good = EncodeReplay(EveryKindOfEvent());
  const size_t events = 36 + 40;
  const auto patched = [&good](size_t at, char byte) {
    std::string bytes = good;
    bytes[at] = byte;
    return bytes;
  };
  const struct {
    const char* what;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"empty", "", "Not a replay file"},
      {"another magic", patched(0, 'X'), "Not a replay file"},
      {"a header cut short", good.substr(0, 35), "Replay is damaged: the header is cut short"},
      {"another version", patched(4, 2), "Replay version 2 is not supported"},
      {"a third mode", patched(5, 2), "Replay is damaged: unknown game mode"},
      {"area 7", patched(6, 7), "Replay is damaged: no such level"},
      {"level 0", patched(6, 0), "Replay is damaged: no such level"},
      {"difficulty 4", patched(7, 4), "Replay is damaged: no such difficulty"},
      // No menu offers it, and it would play with no traffic at all.
      {"difficulty 0", patched(7, 0), "Replay is damaged: no such difficulty"},
      {"car type 29", patched(9, 29), "Replay is damaged: no such car type"},
      {"reserved bytes", patched(10, 1), "Replay is damaged: reserved bytes are not zero"},
      {"a byte missing", good.substr(0, good.size() - 1), "Replay is damaged: its length does not match"},
      {"a byte too many", good + '\0', "Replay is damaged: its length does not match"},
      {"an event before the one before", patched(events + 9 * 2, 4), "Replay is damaged: event 3 is out of order"},
      {"an event past the last tick", patched(events + 9 * 9, 40), "Replay is damaged: event 10 is out of order"},
      {"an unknown kind", patched(events + 4, 9), "Replay is damaged: event 1 is of unknown kind 9"},
      {"an unknown key", patched(events + 9 + 5, 64), "Replay is damaged: event 2 holds unknown keys"},
      {"a gap of a short tick", patched(36 + 10, 17), "Replay is damaged: event 11 does not fit its tick"},
      {"a long tick without its gap", patched(36 + 11, static_cast<char>(255)), "Replay is damaged: tick 12 has no time"},
      // Longer than the game ever counts one tick: a figure's steps, and so a tick's work, are bounded.
      {"a tick of 251 ms", patched(36 + 20, static_cast<char>(251)), "Replay is damaged: tick 21 counts 251 ms"},
      {"a lag of almost 2^31", patched(events + 9 * 8 + 8, 0x7F), "Replay is damaged: event 9 holds a lag of 2130706465"},
      {"a resume after its tick", patched(events + 9 * 7 + 6, 0x7F), "Replay is damaged: tick 9 counts"},
      {"too large", std::string(kReplayReadLimit + 1, 'J'), "Replay is too large"},
  };
  for (const auto& c : cases) {
    try {
      DecodeReplay(c.bytes);
      ADD_FAILURE() << c.what << " was read";
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << c.what << ": " << error.what();
    }
  }
}

}  // namespace
}  // namespace jizdavo
