#include "platform/film/film_decoder.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/av_codec_objects.h"
#include "platform/film/av_error.h"
#include "platform/error.h"
#include "platform/plain_file.h"

namespace jizdavo {
namespace {

constexpr uint32_t kRgbMask = 0x00FFFFFF;
// Pictures are shown on the 640 x 480 screen, so larger ones are scaled down as they are decoded.
constexpr int kShownWidth = 640;
constexpr int kShownHeight = 480;

// The size a decoded picture is given: itself, or scaled to fit the screen with its proportions kept.
std::pair<int, int> FitOnScreen(int width, int height) {
  if (width <= kShownWidth && height <= kShownHeight) return {width, height};
  const double scale = std::min(static_cast<double>(kShownWidth) / width, static_cast<double>(kShownHeight) / height);
  return {std::clamp(static_cast<int>(std::lround(width * scale)), 1, kShownWidth),
          std::clamp(static_cast<int>(std::lround(height * scale)), 1, kShownHeight)};
}

// The film is an AVI file read from disk and nothing else: no other container (a playlist, a stream
// description) and no other protocol is ever tried, whatever the bytes claim.
AVFormatContext* OpenAviFile(const std::string& path) {
  // The library would wait on a FIFO for ever and read a device without end.
  OpenAssetFile(path);
  // Its own log would print on the player's terminal; a failure is told once, by the game.
  av_log_set_level(AV_LOG_QUIET);
  const AVInputFormat* avi = av_find_input_format("avi");
  if (avi == nullptr) throw Error(AvErrorText(AVERROR_DEMUXER_NOT_FOUND));
  AVDictionary* options = nullptr;
  av_dict_set(&options, "protocol_whitelist", "file", 0);
  AVFormatContext* format = nullptr;
  const int result = avformat_open_input(&format, ("file:" + path).c_str(), avi, &options);
  av_dict_free(&options);
  CheckAv(result);
  return format;
}

}  // namespace

struct FilmDecoder::Streams : AvCodecObjects {
  AVFormatContext* format = nullptr;
  AVRational rate{25, 1};
  int64_t start_pts = 0;
  int next_number = 0;
  int skip_below = 0;
  bool input_done = false;

  ~Streams() { avformat_close_input(&format); }

  // The header's size is checked before anything is decoded (finding the streams decodes a picture).
  static void RefuseHugePictures(const AVCodecParameters& parameters) {
    if (int64_t{parameters.width} * parameters.height <= kMaxFilmPixels) return;
    throw Error("Film is too large (" + std::to_string(parameters.width) + "x" + std::to_string(parameters.height) + ")");
  }

  // Finds the streams' parameters with decoders that refuse pictures beyond the bound.
  void FindStreams() {
    for (unsigned i = 0; i < format->nb_streams; ++i) RefuseHugePictures(*format->streams[i]->codecpar);
    std::vector<AVDictionary*> options(format->nb_streams, nullptr);
    for (AVDictionary*& dictionary : options) av_dict_set_int(&dictionary, "max_pixels", kMaxFilmPixels, 0);
    const int result = avformat_find_stream_info(format, options.data());
    for (AVDictionary*& dictionary : options) av_dict_free(&dictionary);
    CheckAv(result);
  }

  void OpenVideo() {
    const AVCodec* decoder = nullptr;
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    CheckAv(index);
    stream = format->streams[index];
    context = avcodec_alloc_context3(decoder);
    CheckAv(avcodec_parameters_to_context(context, stream->codecpar));
    context->thread_count = 1;
    // The stream's own header may claim a small size and its pictures a huge one.
    context->max_pixels = kMaxFilmPixels;
    CheckAv(avcodec_open2(context, decoder, nullptr));
    if (context->width <= 0 || context->height <= 0) throw Error(AvErrorText(AVERROR_INVALIDDATA));
    const AVRational guessed = av_guess_frame_rate(format, stream, nullptr);
    if (guessed.num > 0 && guessed.den > 0) rate = guessed;
    if (stream->start_time != AV_NOPTS_VALUE) start_pts = stream->start_time;
    frame = av_frame_alloc();
    packet = av_packet_alloc();
  }

  int FrameNumber() {
    const int64_t pts = frame->best_effort_timestamp;
    if (pts == AV_NOPTS_VALUE) return next_number;
    const double seconds = static_cast<double>(pts - start_pts) * av_q2d(stream->time_base);
    return static_cast<int>(std::lround(seconds * av_q2d(rate)));
  }

  // Gives the decoder its next packet of our stream; at the end of input, the signal to drain.
  void Feed() {
    if (input_done) return;
    while (av_read_frame(format, packet) >= 0) {
      const bool ours = packet->stream_index == stream->index;
      // A damaged packet is dropped; the pictures around it still play.
      if (ours) avcodec_send_packet(context, packet);
      av_packet_unref(packet);
      if (ours) return;
    }
    input_done = true;
    avcodec_send_packet(context, nullptr);
  }

  void Convert(FilmFrame& out) {
    std::tie(out.width, out.height) = FitOnScreen(frame->width, frame->height);
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    scaler = sws_getCachedContext(scaler, frame->width, frame->height,
                                  static_cast<AVPixelFormat>(frame->format), out.width, out.height,
                                  AV_PIX_FMT_0RGB32, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!scaler) throw Error(AvErrorText(AVERROR(EINVAL)));
    uint8_t* planes[1] = {reinterpret_cast<uint8_t*>(out.pixels.data())};
    const int strides[1] = {out.width * 4};
    sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
    for (uint32_t& pixel : out.pixels) pixel &= kRgbMask;
  }
};

FilmDecoder::FilmDecoder(const std::string& path) : streams_(std::make_unique<Streams>()) {
  Streams& s = *streams_;
  s.format = OpenAviFile(path);
  s.FindStreams();
  s.OpenVideo();
}

FilmDecoder::~FilmDecoder() = default;

int FilmDecoder::Width() const { return FitOnScreen(streams_->context->width, streams_->context->height).first; }
int FilmDecoder::Height() const { return FitOnScreen(streams_->context->width, streams_->context->height).second; }
int FilmDecoder::RateNumerator() const { return streams_->rate.num; }
int FilmDecoder::RateDenominator() const { return streams_->rate.den; }

bool FilmDecoder::Next(FilmFrame& out) {
  Streams& s = *streams_;
  for (;;) {
    const int result = avcodec_receive_frame(s.context, s.frame);
    if (result == AVERROR(EAGAIN)) {
      if (s.input_done) return false;
      s.Feed();
      continue;
    }
    if (result < 0) return false;
    out.number = s.FrameNumber();
    s.next_number = out.number + 1;
    if (out.number >= s.skip_below) {
      s.Convert(out);
      av_frame_unref(s.frame);
      return true;
    }
    av_frame_unref(s.frame);
  }
}

void FilmDecoder::Seek(int number) {
  Streams& s = *streams_;
  const double seconds = number / av_q2d(s.rate);
  const int64_t target =
      s.start_pts + static_cast<int64_t>(std::floor(seconds / av_q2d(s.stream->time_base)));
  av_seek_frame(s.format, s.stream->index, target, AVSEEK_FLAG_BACKWARD);
  avcodec_flush_buffers(s.context);
  s.input_done = false;
  s.skip_below = number;
  s.next_number = 0;
}

}  // namespace jizdavo
