#pragma once
// The highest unlocked level of each mode, kept in "Levels.dat" (Standard) and "Levelsh.dat" (Car chase):
// the level number as decimal text, every byte complemented, nothing else.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/data_folder.h"

namespace jizdavo {

// "Levels.dat" or "Levelsh.dat".
const char* ProgressFileName(GameMode mode);

// The unlocked level from the stored (complemented) bytes, as the decimal text kept in
// `StandardProgress` / `ChaseProgress`. Empty gives "1". The game never writes anything else, but a
// damaged or edited file must not offer levels that do not exist: a value outside the mode's levels is
// limited into them, and a text that is not a number gives "1".
std::string ParseProgress(std::string_view stored, GameMode mode);

// The stored bytes for `level`: level 12 is CE CD.
std::string EncodeProgress(int32_t level);

// The unlocked level of `mode` from its file in `folder` (a missing file is created empty).
std::string LoadProgress(const std::filesystem::path& folder, GameMode mode);

// Whether stored bytes read as a progress file: one level number, or nothing yet. A link named as a
// progress file is followed only to such a file.
bool IsProgressFile(std::string_view stored);

// After a won level, `level` being the next one: raises `progress` to it when it is higher and within
// the mode's levels, and rewrites the file whole. Returns whether it was raised. The file is read
// again first and never lowered: where another copy of the game stored a higher level, that one is
// kept, in the file and in `progress`. On a failed write the raised value stays in `progress` (the
// player may go on this session), the file keeps the old value, and Error "Unable to write to
// <file>" is thrown.
bool RaiseProgress(const std::filesystem::path& folder, GameMode mode, std::string& progress, int32_t level);

}  // namespace jizdavo
