#pragma once
// The seed writers, one per fuzz target. `program` is the folder holding Graphics/ and Music/.

#include <filesystem>

namespace jizdavo::fuzzcorpus {

void WritePictureSeeds(const std::filesystem::path& corpus, const std::filesystem::path& program);
void WriteWaveSeeds(const std::filesystem::path& corpus, const std::filesystem::path& program);
void WriteCursorSeeds(const std::filesystem::path& corpus, const std::filesystem::path& program);
void WriteFilmSeeds(const std::filesystem::path& corpus, const std::filesystem::path& program);
void WriteSettingsSeeds(const std::filesystem::path& corpus);
void WriteBestTimesSeeds(const std::filesystem::path& corpus);
void WriteProgressSeeds(const std::filesystem::path& corpus);
void WriteReplaySeeds(const std::filesystem::path& corpus);

}  // namespace jizdavo::fuzzcorpus
