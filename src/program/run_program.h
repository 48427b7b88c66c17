#pragma once
// The whole program on SDL: the window, the intro, the message loop and the game, with the random
// source left to the caller (the shipped program seeds it from the machine; a test build can pick
// draws of its own).

#include <functional>
#include <memory>

#include "platform/clock.h"
#include "program/command_line.h"
#include "platform/random_source.h"

namespace jizdavo {

using RandomFactory = std::function<std::unique_ptr<RandomSource>()>;

// Runs until the window closes, with the window and data folder the command line asks for. Returns
// the process exit code: 0, or 1 after an Error, which is printed on stderr and, once the game's
// window can show it, in its message box.
int RunProgram(const RandomFactory& make_random, const CommandLine& command = {});

}  // namespace jizdavo
