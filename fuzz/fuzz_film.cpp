// Feeds arbitrary bytes to the intro film's decoder as "Graphics/logo.avi": it must open or raise
// jizdavo::Error, and every picture it gives, before and after going back to the start, must be whole.
// The decoder reads files only, so each input goes through a scratch file of this process.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

extern "C" {
#include <libavutil/log.h>
}

#include "platform/error.h"
#include "platform/film/film_decoder.h"

namespace {

const std::string& ScratchPath() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("jizdavo_fuzz_film_" + std::to_string(getpid()) + ".avi"))
          .string();
  return path;
}

void CheckFrame(const jizdavo::FilmFrame& frame) {
  if (frame.width <= 0 || frame.height <= 0) __builtin_trap();
  if (frame.pixels.size() != static_cast<size_t>(frame.width) * frame.height) __builtin_trap();
  for (uint32_t pixel : frame.pixels)
    if (pixel > 0xFFFFFF) __builtin_trap();
}

void PlayThrough(const std::string& path) {
  jizdavo::FilmDecoder film(path);
  if (film.Width() <= 0 || film.Height() <= 0) __builtin_trap();
  if (film.RateNumerator() <= 0 || film.RateDenominator() <= 0) __builtin_trap();
  jizdavo::FilmFrame frame;
  int last = -1;
  while (film.Next(frame)) {
    CheckFrame(frame);
    last = frame.number;
  }
  // The player rewinds to replay and seeks to show a chosen frame.
  film.Seek(0);
  if (film.Next(frame)) CheckFrame(frame);
  film.Seek(last);
  if (film.Next(frame)) CheckFrame(frame);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  av_log_set_level(AV_LOG_QUIET);
  std::atexit([] { std::remove(ScratchPath().c_str()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream out(ScratchPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) __builtin_trap();
  }
  try {
    PlayThrough(ScratchPath());
  } catch (const jizdavo::Error&) {
  }
  return 0;
}
