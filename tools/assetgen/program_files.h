#pragma once
// The files that sit beside the program: the tunes, the pointer, the intro film and the pictures of
// the options panel's widgets.

#include <filesystem>

namespace jizdavo::assetgen {

void WriteProgramFiles(const std::filesystem::path& program_folder);

}  // namespace jizdavo::assetgen
