// A writer killed at random moments while it enters best times and raises progress through the same
// functions the menus call: after every kill each file holds either the old or the new content, the
// game's own readers load it, and no record already stored is lost.

#include <signal.h>
#include <sys/wait.h>

#include <array>
#include <chrono>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "faults/child_process.h"
#include "files/best_times.h"
#include "files/file_fixtures.h"
#include "files/progress.h"
#include "state/date_time.h"

namespace jizdavo {
namespace {

namespace fs = std::filesystem;
using testing::ChildProcess;
using testing::WriteText;

constexpr GameMode kModes[] = {GameMode::Standard, GameMode::CarChase};
constexpr int kKills = 300;
// Longer than a round of the four writes, each put on disk at once.
constexpr int kMaxDelayMicroseconds = 40000;

int IndexOf(GameMode mode) { return mode == GameMode::Standard ? 0 : 1; }

struct WriterRecord {
  int32_t level;
  std::string name;
  TDateTime time;
};

// The writer's `index`-th record of a mode, so the test knows what each write holds.
WriterRecord RecordNumber(GameMode mode, int index) {
  return {index % LevelCount(mode) + 1, "Runner" + std::to_string(index),
          MakeTime(0, index / 60000 % 60, index / 1000 % 60, index % 1000)};
}

std::string StoredRecord(GameMode mode, int index) {
  const WriterRecord record = RecordNumber(mode, index);
  return ComplementBytes(FormatBestTimeRecord(record.level, record.name, record.time));
}

// Enters records and raises progress until killed, reporting each write that returned: "S<mode>" for a
// record, "L<mode> <level>" for progress. The first byte, "R", says it is about to start.
[[noreturn]] void WriteUntilKilled(const fs::path& folder, std::array<int, 2> next, int reportFd) {
  std::array<std::string, 2> progress;
  for (GameMode mode : kModes) progress[IndexOf(mode)] = LoadProgress(folder, mode);
  WriteText(reportFd, "R");
  for (;;) {
    for (GameMode mode : kModes) {
      const int m = IndexOf(mode);
      const WriterRecord record = RecordNumber(mode, next[m]++);
      AppendBestTime(folder, mode, record.level, record.name, record.time);
      WriteText(reportFd, "S" + std::to_string(m) + "\n");
      const int level = std::stoi(progress[m]) + 1;
      if (RaiseProgress(folder, mode, progress[m], level)) {
        WriteText(reportFd, "L" + std::to_string(m) + " " + std::to_string(level) + "\n");
      }
    }
  }
}

class KillDuringWriteTest : public testing::TempFolderTest {
 protected:
  // Takes in what the killed writer reported as done.
  void Commit(const std::string& report) {
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
      const int m = line.at(1) - '0';
      if (line[0] == 'S') {
        stored_[m] += StoredRecord(kModes[m], next_[m]++);
        ++records_;
      } else {
        level_[m] = std::stoi(line.substr(3));
        ++raises_;
      }
    }
  }

  // The records: all that were reported, and the one in flight at most.
  void CheckBestTimes(GameMode mode, int kill) {
    const int m = IndexOf(mode);
    const std::string bytes = ReadFile(File(BestTimesFileName(mode))).value_or("");
    const std::string withNext = stored_[m] + StoredRecord(mode, next_[m]);
    if (bytes == withNext) {
      stored_[m] = withNext;
      ++next_[m];
      ++recordsInFlight_;
    }
    ASSERT_EQ(bytes, stored_[m]) << BestTimesFileName(mode) << " after kill " << kill;
    ASSERT_EQ(ParseBestTimes(bytes).size(), static_cast<size_t>(next_[m]));
  }

  // The unlocked level: the one reported, or the one being written. A file at the last level starts
  // over, so every round has levels left to raise.
  void CheckProgress(GameMode mode, int kill) {
    const int m = IndexOf(mode);
    const fs::path file = File(ProgressFileName(mode));
    const std::string bytes = ReadFile(file).value_or("");
    if (bytes == EncodeProgress(level_[m] + 1)) {
      ++level_[m];
      ++raisesInFlight_;
    }
    const bool untouched = level_[m] == 1 && bytes.empty();
    ASSERT_TRUE(untouched || bytes == EncodeProgress(level_[m]))
        << ProgressFileName(mode) << " after kill " << kill << " holds " << ComplementBytes(bytes)
        << ", expected " << level_[m];
    ASSERT_EQ(LoadProgress(folder_, mode), std::to_string(level_[m]));
    if (level_[m] == LevelCount(mode)) {
      fs::remove(file);
      level_[m] = 1;
    }
  }

  // Files the game never reads, left beside the four by the kill of `writer`: at most its temporary
  // file of each progress file (the next start removes them a minute later; here they go at once).
  void CheckAndRemoveStrayFiles(pid_t writer, int kill) {
    std::set<std::string> allowed;
    for (GameMode mode : kModes)
      allowed.insert("." + std::string(ProgressFileName(mode)) + "." + std::to_string(writer) + ".new");
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
      const std::string name = entry.path().filename().string();
      bool known = false;
      for (GameMode mode : kModes)
        known = known || name == BestTimesFileName(mode) || name == ProgressFileName(mode);
      if (known) continue;
      EXPECT_TRUE(allowed.contains(name)) << name << " after kill " << kill;
      fs::remove(entry.path());
    }
  }

  std::array<std::string, 2> stored_;
  std::array<int, 2> next_{0, 0};
  std::array<int, 2> level_{1, 1};
  int records_ = 0;
  int raises_ = 0;
  // Writes found done but not yet reported: kills that came in the middle of a write.
  int recordsInFlight_ = 0;
  int raisesInFlight_ = 0;
};

TEST_F(KillDuringWriteTest, EveryFileIsTheOldOrTheNewContentAfterEachKill) {
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> delay(0, kMaxDelayMicroseconds);
  for (int kill = 0; kill < kKills; ++kill) {
    ChildProcess writer([this](int fd) { WriteUntilKilled(folder_, next_, fd); });
    ASSERT_TRUE(writer.ReadByte()) << "the writer did not start";
    const pid_t writerPid = writer.Pid();
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    writer.Kill();
    const std::string report = writer.ReadToEnd();
    const int status = writer.Wait();
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the writer stopped by itself: " << report;
    Commit(report);
    for (GameMode mode : kModes) {
      CheckBestTimes(mode, kill);
      CheckProgress(mode, kill);
    }
    if (HasFatalFailure()) return;
    CheckAndRemoveStrayFiles(writerPid, kill);
  }
  std::cout << kKills << " kills; reported: " << records_ << " records, " << raises_
            << " progress writes; found done but unreported: " << recordsInFlight_ << " records, "
            << raisesInFlight_ << " progress writes\n";
  // The kills must have come in the middle of both kinds of write, not only between them.
  EXPECT_GT(recordsInFlight_, kKills / 20);
  EXPECT_GT(raisesInFlight_, kKills / 20);
}

// The kernel may leave an append half done when power is lost; the next record must still line up.
TEST_F(KillDuringWriteTest, ARecordCutShortDoesNotPutTheNextOneOutOfStep) {
  const std::string whole = StoredRecord(GameMode::Standard, 0) + StoredRecord(GameMode::Standard, 16);
  const std::string cut = StoredRecord(GameMode::Standard, 32);
  const size_t nameEnd = cut.find(ComplementBytes("\r"), 2) + 1;
  // Cut in the level, after it, after the name, and just before the last byte.
  for (size_t length : {size_t{1}, size_t{2}, nameEnd, cut.size() - 1}) {
    WriteBytes("Score.dat", whole + cut.substr(0, length));
    const WriterRecord next = RecordNumber(GameMode::Standard, 48);
    AppendBestTime(folder_, GameMode::Standard, next.level, next.name, next.time);
    EXPECT_EQ(ReadBytes("Score.dat"), whole + StoredRecord(GameMode::Standard, 48)) << length << " bytes";
  }
}

}  // namespace
}  // namespace jizdavo
