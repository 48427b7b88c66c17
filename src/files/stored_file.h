#pragma once
// Reading and writing the game's own files. Each is opened once, as what it is: a symbolic link to a
// regular file is followed, a FIFO, device or folder is refused without waiting on it. Reads stop at
// a bound, so no file can make the game take more memory than that; rewrites and appends never leave
// half a file behind; with no folder to keep them in, the files live in memory.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/plain_file.h"

namespace jizdavo {

// The most read of a file: best times grow by one record per won level; the others are a few lines.
inline constexpr size_t kBestTimesReadLimit = 16 << 20;
inline constexpr size_t kSmallFileReadLimit = 64 << 10;

// What the files have to tell the player ("Unable to read <file>", a file read only in part, the
// files kept in memory), kept until the menus show it. Each message is told once a run.
void TellPlayer(std::string message);
std::vector<std::string> TakePlayerMessages();

using FileState = PlainFileState;
using StoredContent = PlainFileBytes;

// `file` up to `limit` bytes: Refused when it is not a regular file or cannot be read, Cut when longer.
StoredContent ReadStoredFile(const std::filesystem::path& file, size_t limit);

// Tells the player "Unable to read <file>" for a Refused file, and that a Cut one was read in part.
void TellPlayerAbout(const std::filesystem::path& file, const StoredContent& content, size_t limit);

// The whole of `file` (up to kBestTimesReadLimit), or nothing when it is missing or refused.
std::optional<std::string> ReadFile(const std::filesystem::path& file);

// ReadStoredFile's bytes, the player told about them (TellPlayerAbout); a missing file is first created
// empty, as the game always did (but not through a link that leads nowhere), and one that cannot be created
// reads as empty.
std::string ReadOrCreateFile(const std::filesystem::path& file, size_t limit);

// Whether the bytes of the file a link leads to are of the kind the link's name stands for.
using FileKind = bool (*)(std::string_view bytes);

// What a rewrite makes of a file's content: its new bytes, or nothing to leave it as it is.
using Rewrite = std::function<std::optional<std::string>(const StoredContent& now)>;

// Rewrites `file` from what it holds now, under a lock every copy of the game takes on its folder:
// `rewrite` gets the content (read up to `limit`; Missing for no file) and gives the new bytes. They
// go into a temporary file of this process in the same folder, on disk, with the old file's
// permissions, owner and group (where this process may give them), and are renamed over the old one,
// so a crash or a full disk leaves either the old or the new content. A link is followed only to a regular
// file whose bytes are of `kind` (none: never), checked to be the file the link opened; the link stays.
// Throws Error "Unable to write to <file>" for anything else: a FIFO, device or folder, a file there that
// cannot be read (it is never replaced unread), a link that leads nowhere (kept), a lock never granted, and a
// failed write; `rewrite` may throw too.
void RewriteFile(const std::filesystem::path& file, size_t limit, FileKind kind, const Rewrite& rewrite);

// RewriteFile with `bytes`, whatever the file holds.
void ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes,
                           FileKind kind = nullptr);

// Removes `file` if it is there; one that cannot be removed stays.
void RemoveStoredFile(const std::filesystem::path& file);

// An append worked out from a file's content: keep its first `keep` bytes, then add `bytes`.
struct AppendPlan {
  size_t keep = 0;
  std::string bytes;
};

// Appends to `file` (created when missing) what `plan` makes of its content, on the one file opened
// for appending and locked against other copies of the game from reading to writing: nothing is
// looked up again by name between reading, cutting and writing. Throws Error "Unable to
// write to <file>" when the file is not a regular file, is larger than `limit`, the plan gives
// nothing, or the write fails; a failed write is cut back to `keep` bytes.
void AppendToFile(const std::filesystem::path& file, size_t limit,
                  const std::function<std::optional<AppendPlan>(std::string_view)>& plan);

// Removes the temporary files of the stored files whose names `stored` takes that a copy of the game
// killed between writing and renaming left in `folder`, once they are a minute old.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                               const std::function<bool(std::string_view name)>& stored);

// From now on the files of `folder` live in memory: each is read from the folder the first time it is
// needed, and nothing is written there. Tells the player once: `why`, and that the files are kept
// only until the game closes.
void KeepFolderInMemory(const std::filesystem::path& folder, std::string why);

}  // namespace jizdavo
