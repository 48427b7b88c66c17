#pragma once
// The files that sit beside the program: the tunes, the pointer, the intro film and the pictures of
// the options panel's widgets.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace jizdavo::assetgen {

struct ProgramFile {
  std::string path;  // below the program's folder
  std::vector<uint8_t> bytes;
};

// The check-box and arrow pictures of the options panel, as files; the program keeps copies too.
std::vector<ProgramFile> WidgetPictureFiles();

void WriteProgramFiles(const std::filesystem::path& program_folder);

}  // namespace jizdavo::assetgen
