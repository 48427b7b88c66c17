#pragma once
// The five small files the game keeps beside the program: where they live and how their bytes are
// scrambled (reading and writing them: stored_file.h).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "files/stored_file.h"

namespace jizdavo {

inline constexpr const char* kSettingsFileName = "Settings.ini";

// The two games keep separate best times and progress.
enum class GameMode { Standard, CarChase };

inline GameMode ModeOf(bool chaseMode) { return chaseMode ? GameMode::CarChase : GameMode::Standard; }

// Levels of Standard, areas of Car chase.
inline int32_t LevelCount(GameMode mode) { return mode == GameMode::Standard ? 16 : 6; }

// `folder`, as the one the five files live in, cleared of the temporary files a copy killed while
// saving left there (RemoveStaleTemporaryFiles).
std::filesystem::path TidyDataFolder(const std::filesystem::path& folder);

// The folder of the running executable.
std::filesystem::path ProgramFolder();

// The folder holding Music/ and Graphics/: the program's own (a build or an unpacked copy) when it
// has them, else "../share/jizdavo" beside it when that has them (an installed copy).
std::filesystem::path AssetFolder(const std::filesystem::path& programFolder);

// "$XDG_DATA_HOME/jizdavo", or "$HOME/.local/share/jizdavo" when XDG_DATA_HOME is unset, empty or
// relative (as the XDG rules ask); nothing when HOME is not an absolute path either (a folder relative
// to wherever the game was started from is nobody's). Arguments may be null.
std::optional<std::filesystem::path> UserDataFolder(const char* xdgDataHome, const char* home);

// True when a file can be created in `folder` (tried for real: permissions alone do not tell, e.g.
// for root or on a read-only mount).
bool IsWritableFolder(const std::filesystem::path& folder);

// Where the five files live: the program's folder when it can be written (a copy run where it was
// built or unpacked), else the user's data folder, created on the way (an installed copy), into which
// those of the five it lacks are copied from the program's folder. With no user folder, or one that
// cannot be made or written, the program's folder is kept in memory (KeepFolderInMemory) and the
// player told. The folder chosen is tidied (TidyDataFolder).
std::filesystem::path ChooseDataFolder(const std::filesystem::path& programFolder,
                                       const std::optional<std::filesystem::path>& userFolder);

// The choice above for this process, from the real executable path and environment. An installed
// copy (its assets under share/) always keeps them in the user's data folder, never in the install
// tree, even where that could be written. Called once at start-up; the result is kept by the caller.
std::filesystem::path PickDataFolder();

// A whole number as the files hold it: decimal, or hexadecimal after "0x" or "0X", with an optional
// sign and surrounding blanks. Anything else, or a value beyond 32 bits, is not a number.
std::optional<int32_t> ParseInteger(std::string_view text);

// Every byte of the score and progress files is stored as its bitwise complement.
std::string ComplementBytes(std::string_view bytes);

}  // namespace jizdavo
