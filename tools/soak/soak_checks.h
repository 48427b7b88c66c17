#pragma once
// What a soak run checks besides the game's flow: the files beside the program, read back with the
// game's own readers, and the process's memory over time.

#include <filesystem>
#include <string>
#include <vector>

#include "files/settings.h"
#include "soak_tally.h"

namespace jizdavo::soak {

// Problems with the five files in `folder`: each must read back as what the run put there (`options`
// are the option widgets as they stand at the end). Empty when all is well.
std::vector<std::string> CheckDataFiles(const std::filesystem::path& folder, const SoakTally& tally,
                                        const SavedOptions& options);

// The resident set of this process in kibibytes, 0 when it cannot be read.
long ResidentKilobytes();
// The heap blocks the program holds now, in kibibytes. Under AddressSanitizer this is its allocator's
// count, which leaves out the freed blocks it keeps in quarantine and the caches it grows over a long
// run, both of which count in the resident set.
long HeapInUseKilobytes();

// Runs shorter than this many minutes are not judged for memory growth.
inline constexpr size_t kMinutesToJudgeMemory = 10;

// Heap samples taken a minute apart: from the fifth minute on (when the game's own caches have filled)
// the heap in use may not grow by more than a tenth plus 16 MiB. Empty when it held, or when the run
// is too short to tell.
std::string CheckMemoryGrowth(const std::vector<long>& minute_samples_kb);

}  // namespace jizdavo::soak
