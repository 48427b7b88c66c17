#pragma once
// The intro film player. Pictures are decoded on the calling thread, in step with the game's clock:
// Mode() (or Poll()) shows every frame whose time has come, so a loop that waits on Mode() plays the
// film. Frames go to the video output scaled into DisplayRect; the back surface is never touched.

#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/film/film_decoder.h"
#include "platform/rect.h"
#include "platform/video_output.h"

namespace jizdavo {

enum class MediaMode {
  NotReady = 0,
  Stopped = 1,
  Playing = 2,
  Recording = 3,
  Seeking = 4,
  Paused = 5,
  Open = 6
};
enum class MediaTimeFormat { Milliseconds, Frames };

class TMediaPlayer {
 public:
  TMediaPlayer(VideoOutput& display, const Clock& clock);
  ~TMediaPlayer();
  TMediaPlayer(const TMediaPlayer&) = delete;
  TMediaPlayer& operator=(const TMediaPlayer&) = delete;

  std::string FileName;

  // Opens FileName, stopped before its first frame; raises an Error with the media libraries' message.
  void Open();
  void Close();

  // Where the pictures go on the display; the film's own size at (0, 0) until set.
  TRect DisplayRect() const { return display_rect_; }
  void SetDisplayRect(const TRect& rect) { display_rect_ = rect; }
  MediaTimeFormat TimeFormat() const { return time_format_; }
  void SetTimeFormat(MediaTimeFormat format) { time_format_ = format; }

  // The operations below raise "No MCI device open" when nothing is open.
  // Plays from the current position; a film standing at its end starts over.
  void Play();
  // Pauses a playing film and resumes a paused one.
  void Pause();
  void Stop();
  // The frame last shown (or its time in milliseconds), in the current time format.
  int Position() const;
  // Shows that frame and stands still there.
  void SetPosition(int position);

  // Shows what is due, notices the end of the film, and reports the mode.
  MediaMode Mode();
  void Poll();

 private:
  void RequireOpen() const;
  void Rewind();
  // Playing goes on from the current frame as of now.
  void RestartClock();
  // Frame `number`'s time, in milliseconds after the frame playing started from.
  double FrameTime(int number) const;
  bool Due(int number) const;
  void Show(const FilmFrame& frame);

  VideoOutput& display_;
  const Clock& clock_;
  std::unique_ptr<FilmDecoder> decoder_;
  FilmFrame pending_;  // decoded, waiting for its time
  bool has_pending_ = false;
  MediaMode mode_ = MediaMode::NotReady;
  MediaTimeFormat time_format_ = MediaTimeFormat::Milliseconds;
  TRect display_rect_;
  int shown_ = -1;       // the frame on display
  int next_frame_ = 0;   // the frame playing continues with
  bool at_end_ = false;  // every frame has been decoded
  // Playing started with frame start_frame_ at clock time start_ms_; a pause moves start_ms_ on.
  int start_frame_ = 0;
  uint32_t start_ms_ = 0;
  uint32_t paused_ms_ = 0;
};

}  // namespace jizdavo
