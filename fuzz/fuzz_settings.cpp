// Feeds arbitrary bytes to the settings reader as "Settings.ini": any text must read; writing the
// options into it must read them back unchanged and change nothing more when done again; values set
// in another section must leave the options as they were.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace jizdavo;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const SavedOptions read = ParseOptions(text);
  SavedOptions changed = read;
  changed.PlayMusic = !read.PlayMusic;
  changed.MVolume = read.MVolume == 80 ? 0 : 80;
  const std::optional<std::string> written = WithOptions(text, changed);
  if (!written || ParseOptions(*written) != changed) __builtin_trap();
  if (WithOptions(*written, changed) != written) __builtin_trap();
  const std::optional<std::string> other = WithIniValues(text, "Window", {{"Mode", "windowed"}, {"Scale", "2"}});
  if (!other || ParseOptions(*other) != read || IniValue(*other, "Window", "Scale") != "2") __builtin_trap();
  return 0;
}
