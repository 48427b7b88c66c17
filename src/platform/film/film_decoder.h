#pragma once
// Reads a film's pictures in order, each as 0x00RRGGBB pixels with its frame number.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace jizdavo {

struct FilmFrame {
  int number = 0;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // rows top to bottom
};

// The most pixels a film's pictures may have (a full-HD film plays, scaled down to the screen); larger
// ones are refused before their pictures are made, so no film can take much memory.
inline constexpr int64_t kMaxFilmPixels = 1920 * 1088;

class FilmDecoder {
 public:
  // Opens `path` as an AVI file on disk. Raises an Error with the media libraries' message when the
  // file is missing, unreadable, not AVI or has no pictures, and "Film is too large (WxH)" beyond
  // kMaxFilmPixels.
  explicit FilmDecoder(const std::string& path);
  ~FilmDecoder();
  FilmDecoder(const FilmDecoder&) = delete;
  FilmDecoder& operator=(const FilmDecoder&) = delete;

  // The size of the pictures Next gives: the film's own, or scaled down to fit 640 x 480.
  int Width() const;
  int Height() const;
  // Frames per second as a fraction, so that frame times come out exact.
  int RateNumerator() const;
  int RateDenominator() const;

  // The next picture in film order; false at the end (or where the data breaks off).
  bool Next(FilmFrame& frame);
  // After this, Next gives frame `number`, or the first one after it that exists.
  void Seek(int number);

 private:
  struct Streams;
  std::unique_ptr<Streams> streams_;
};

}  // namespace jizdavo
