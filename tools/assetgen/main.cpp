// assetgen: makes the game's built-in pictures and sounds (as a C++ source compiled into the
// program), the files beside the program and a preview folder. The output is the same on every run.
//
//   assetgen <generated.cpp> <program folder> <preview folder>
#include <cstdio>
#include <exception>
#include <filesystem>

#include "catalog.h"
#include "file_output.h"
#include "icons.h"
#include "preview.h"
#include "program_files.h"
#include "source_writer.h"

int main(int argc, char** argv) {
  using namespace jizdavo::assetgen;
  if (argc != 4) {
    std::fprintf(stderr, "usage: assetgen <generated.cpp> <program folder> <preview folder>\n");
    return 2;
  }
  try {
    std::vector<ImageAsset> images = MakeImages();
    std::vector<SoundAsset> sounds = MakeSounds();
    WriteFile(argv[1], GenerateCatalogSource(images, sounds, WidgetPictureFiles()));
    WriteProgramFiles(argv[2]);
    WriteIcons(std::filesystem::path(argv[2]) / "icons", images);
    WritePreview(argv[3], images, sounds);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
