// jizdavo_fuzz_corpus: writes the seed corpus of every fuzz target.
//
//   jizdavo_fuzz_corpus <corpus folder> <program folder>
#include <cstdio>
#include <exception>

#include "seeds.h"

int main(int argc, char** argv) {
  using namespace jizdavo::fuzzcorpus;
  if (argc != 3) {
    std::fprintf(stderr, "usage: jizdavo_fuzz_corpus <corpus folder> <program folder>\n");
    return 2;
  }
  try {
    const std::filesystem::path corpus = argv[1], program = argv[2];
    WritePictureSeeds(corpus, program);
    WriteWaveSeeds(corpus, program);
    WriteCursorSeeds(corpus, program);
    WriteFilmSeeds(corpus, program);
    WriteSettingsSeeds(corpus);
    WriteBestTimesSeeds(corpus);
    WriteProgressSeeds(corpus);
    WriteReplaySeeds(corpus);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "jizdavo_fuzz_corpus: %s\n", e.what());
    return 1;
  }
  return 0;
}
