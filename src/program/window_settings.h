#pragma once
// The window mode kept between runs in section "Window" of Settings.ini: "Fullscreen" (1 or 0) and
// "Scale" (the window's whole factor). The [Options] keys and every other line stay as they are.

#include "files/settings.h"
#include "platform/sdl/sdl_window.h"
#include "program/command_line.h"

namespace jizdavo {

// The stored mode; a missing or unreadable value gives full screen, scale 1, and a scale outside
// 1..8 the nearer end.
WindowMode StoredWindowMode(const SettingsFile& settings);
// The command line's choices over the stored ones.
WindowMode ChosenWindowMode(const WindowMode& stored, const CommandLine& command);
// Stores `mode` when it differs from what the file holds. A file that cannot be written is told on
// stderr: the game is closing, and the next start simply opens as before.
void RememberWindowMode(SettingsFile& settings, const WindowMode& mode);

}  // namespace jizdavo
