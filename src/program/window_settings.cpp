#include "program/window_settings.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "files/data_folder.h"
#include "platform/error.h"

namespace jizdavo {

namespace {

constexpr const char* kSection = "Window";
constexpr const char* kFullscreen = "Fullscreen";
constexpr const char* kScale = "Scale";

std::optional<int32_t> StoredNumber(const SettingsFile& settings, const char* key) {
  const std::optional<std::string> value = settings.ReadValue(kSection, key);
  return value ? ParseInteger(*value) : std::nullopt;
}

}  // namespace

WindowMode StoredWindowMode(const SettingsFile& settings) {
  WindowMode mode;
  const std::optional<int32_t> fullscreen = StoredNumber(settings, kFullscreen);
  if (fullscreen) mode.fullscreen = *fullscreen != 0;
  const std::optional<int32_t> scale = StoredNumber(settings, kScale);
  // Read as the [Options] numbers are ("0x8", "08"), then held to the scales there are.
  if (scale) mode.scale = std::clamp(*scale, 1, kLargestScale);
  return mode;
}

WindowMode ChosenWindowMode(const WindowMode& stored, const CommandLine& command) {
  WindowMode mode = stored;
  if (command.fullscreen) mode.fullscreen = *command.fullscreen;
  if (command.scale) mode.scale = *command.scale;
  return mode;
}

void RememberWindowMode(SettingsFile& settings, const WindowMode& mode) {
  const bool stored = settings.ReadValue(kSection, kFullscreen) && settings.ReadValue(kSection, kScale);
  if (stored && StoredWindowMode(settings) == mode) return;
  if (!stored && mode == WindowMode{}) return;  // the first start's own mode needs no section
  try {
    settings.WriteSection(kSection,
                          {{kFullscreen, mode.fullscreen ? "1" : "0"}, {kScale, std::to_string(mode.scale)}});
  } catch (const Error& error) {
    std::fprintf(stderr, "%s\n", error.what());
  }
}

}  // namespace jizdavo
