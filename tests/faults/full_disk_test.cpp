// A full disk: writing best times, progress and options fails cleanly, the old files stay whole and
// load, nothing is left behind, and once room is made the same writes succeed.
//
// The disk is a 64 KiB tmpfs mounted in a private mount namespace (with a user namespace where the
// test may not mount otherwise); where neither is allowed, a file-size limit of 0 makes every write
// fail the same way. The test says which one ran.

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iostream>
#include <sstream>

#include <gtest/gtest.h>

#include "faults/child_process.h"
#include "files/best_times.h"
#include "files/file_fixtures.h"
#include "files/progress.h"
#include "files/settings.h"
#include "platform/error.h"
#include "state/date_time.h"

namespace jizdavo {
namespace {

namespace fs = std::filesystem;

constexpr size_t kBlock = 4096;

bool WriteProcFile(const char* path, const std::string& text) {
  std::ofstream out(path);
  return static_cast<bool>(out << text << std::flush);
}

// Mounts a 64 KiB tmpfs on `folder`, seen by this process only.
bool MountSmallDisk(const fs::path& folder, bool inUserNamespace) {
  const uid_t uid = ::getuid();
  const gid_t gid = ::getgid();
  if (::unshare(inUserNamespace ? CLONE_NEWUSER | CLONE_NEWNS : CLONE_NEWNS) != 0) return false;
  if (inUserNamespace && !(WriteProcFile("/proc/self/setgroups", "deny") &&
                           WriteProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
                           WriteProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))) {
    return false;
  }
  return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
         ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
}

// Makes writes in `folder` fail for want of room; says how.
std::string FillUpDisk(const fs::path& folder) {
  if (MountSmallDisk(folder, false)) return "tmpfs";
  if (MountSmallDisk(folder, true)) return "tmpfs in a user namespace";
  return "";
}

// Whole records in exactly one block, so that one more needs a block of its own.
std::string OneBlockOfRecords() {
  std::string plain;
  for (int i = 0; plain.size() < kBlock; ++i) {
    const size_t left = kBlock - plain.size();
    // A record is 13 bytes and its name (at most 15); the last one or two take up the rest exactly.
    const size_t name = left > 41 ? 15 : left <= 28 ? left - 13 : left - 26;
    plain +=
        FormatBestTimeRecord(1, std::string(name, static_cast<char>('a' + i % 26)), MakeTime(0, 1, 0, i));
  }
  return ComplementBytes(plain);
}

// Takes up every free block of `folder`.
void FillFolder(const fs::path& folder) {
  std::ofstream filler(folder / "filler", std::ios::binary);
  const std::string block(kBlock, 'x');
  for (size_t size : {kBlock, size_t{1}}) {
    while (filler.write(block.data(), static_cast<std::streamsize>(size)).flush()) {
    }
    filler.clear();
  }
}

// Tries the three writes of the game into `folder`, then reads everything back with its own readers.
std::string SaveAndReload(const fs::path& folder, int32_t level) {
  std::ostringstream out;
  std::string progress = LoadProgress(folder, GameMode::Standard);
  SettingsFile settings(folder / kSettingsFileName);
  out << "append: " << testing::Attempt([&] {
    AppendBestTime(folder, GameMode::Standard, 1, "Fast", MakeTime(0, 0, 1, 0));
  }) << "\n";
  out << "raise: " << testing::Attempt([&] { RaiseProgress(folder, GameMode::Standard, progress, level); })
      << "\n";
  out << "settings: " << testing::Attempt([&] {
    settings.Write({false, false, true, level, level});
  }) << "\n";
  out << "records: " << ParseBestTimes(ReadFile(folder / "Score.dat").value_or("")).size()
      << ", best: " << LoadTopTen(folder, GameMode::Standard, 1).front().Name << "\n";
  out << "progress: " << LoadProgress(folder, GameMode::Standard)
      << ", music volume: " << SettingsFile(folder / kSettingsFileName).Read().MVolume << "\n";
  // The three files, and nothing a failed write left behind.
  size_t files = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    files += entry.path().filename() != "filler";
  out << "files: " << files << "\n";
  return out.str();
}

std::string WriteToAFullDisk(const fs::path& folder) {
  std::string how = FillUpDisk(folder);
  const std::string oldRecords = OneBlockOfRecords();
  std::ofstream(folder / "Score.dat", std::ios::binary) << oldRecords;
  std::ofstream(folder / "Levels.dat", std::ios::binary) << EncodeProgress(5);
  std::ofstream(folder / kSettingsFileName) << "[Options]\nMVolume=12\n";
  if (!how.empty()) {
    FillFolder(folder);
  } else {
    how = "file-size limit";
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit none{0, RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &none);
  }
  std::string report = "made by: " + how + "\n" + SaveAndReload(folder, 6);
  report += std::string("old records kept: ") +
            (ReadFile(folder / "Score.dat") == oldRecords ? "yes" : "no") + "\n";
  // Room again: the game goes on saving.
  fs::remove(folder / "filler");
  const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
  ::setrlimit(RLIMIT_FSIZE, &unlimited);
  return report + SaveAndReload(folder, 7);
}

using FullDiskTest = testing::TempFolderTest;

TEST_F(FullDiskTest, WritesFailCleanlyAndTheOldFilesStayWhole) {
  const std::string report = testing::RunInChild([this] { return WriteToAFullDisk(folder_); });
  const size_t firstLineEnd = report.find('\n');
  std::cout << report.substr(0, firstLineEnd) << "\n";
  const std::string folder = folder_.string();
  const size_t oldRecords = ParseBestTimes(OneBlockOfRecords()).size();
  EXPECT_EQ(report.substr(firstLineEnd + 1), "append: Unable to write to " + folder +
                                                 "/Score.dat\n"
                                                 "raise: Unable to write to " +
                                                 folder +
                                                 "/Levels.dat\n"
                                                 "settings: Unable to write to " +
                                                 folder +
                                                 "/Settings.ini\n"
                                                 "records: " +
                                                 std::to_string(oldRecords) +
                                                 ", best: aaaaaaaaaaaaaaa\n"
                                                 "progress: 5, music volume: 12\n"
                                                 "files: 3\n"
                                                 "old records kept: yes\n"
                                                 "append: ok\nraise: ok\nsettings: ok\n"
                                                 "records: " +
                                                 std::to_string(oldRecords + 1) +
                                                 ", best: Fast\n"
                                                 "progress: 7, music volume: 7\n"
                                                 "files: 3\n");
}

}  // namespace
}  // namespace jizdavo
