#pragma once
// Writes a short silent film from 0x00RRGGBB frames in an AVI file: MPEG-4 part 2 video, which every
// build of the media libraries decodes, or another of the codec families AVI films come in. The
// same frames give the same bytes on every run.

#include <cstdint>
#include <memory>
#include <string>

namespace jizdavo {

enum class FilmCodec { Mpeg4, MotionJpeg, Raw, Lossless };

class FilmEncoder {
 public:
  // Opens `path` for writing; raises an Error with the media libraries' message when it cannot.
  FilmEncoder(const std::string& path, int width, int height, int frames_per_second,
              FilmCodec codec = FilmCodec::Mpeg4);
  ~FilmEncoder();
  FilmEncoder(const FilmEncoder&) = delete;
  FilmEncoder& operator=(const FilmEncoder&) = delete;

  // One frame of width * height pixels, rows top to bottom.
  void AddFrame(const uint32_t* pixels);
  // Writes what the encoder still holds and closes the file; the destructor does it if needed.
  void Finish();

 private:
  struct Codec;
  std::unique_ptr<Codec> codec_;
};

}  // namespace jizdavo
