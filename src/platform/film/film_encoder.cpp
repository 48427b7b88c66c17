#include "platform/film/film_encoder.h"

#include "platform/av_codec_objects.h"
#include "platform/film/av_error.h"
#include "platform/error.h"

namespace jizdavo {
namespace {

// Frequent key frames keep seeking cheap; a fixed quantiser keeps flat colours clean.
constexpr int kKeyFrameInterval = 10;
constexpr int kQuantiser = 2;

AVCodecID CodecId(FilmCodec codec) {
  switch (codec) {
    case FilmCodec::MotionJpeg:
      return AV_CODEC_ID_MJPEG;
    case FilmCodec::Raw:
      return AV_CODEC_ID_RAWVIDEO;
    case FilmCodec::Lossless:
      return AV_CODEC_ID_HUFFYUV;
    case FilmCodec::Mpeg4:
      break;
  }
  return AV_CODEC_ID_MPEG4;
}

// The encoder's first pixel form; plain 24-bit pixels for raw video, which takes any.
AVPixelFormat PixelFormatOf(const AVCodec& encoder) {
  return encoder.pix_fmts != nullptr ? encoder.pix_fmts[0] : AV_PIX_FMT_BGR24;
}

}  // namespace

struct FilmEncoder::Codec : AvCodecObjects {
  AVFormatContext* format = nullptr;
  int64_t next_pts = 0;
  bool finished = false;

  ~Codec() {
    if (format) avio_closep(&format->pb);
    avformat_free_context(format);
  }

  void OpenEncoder(int width, int height, int fps, FilmCodec codec) {
    const AVCodec* encoder = avcodec_find_encoder(CodecId(codec));
    if (!encoder) throw Error(AvErrorText(AVERROR_ENCODER_NOT_FOUND));
    context = avcodec_alloc_context3(encoder);
    context->width = width;
    context->height = height;
    context->time_base = {1, fps};
    context->framerate = {fps, 1};
    context->pix_fmt = PixelFormatOf(*encoder);
    context->gop_size = kKeyFrameInterval;
    context->max_b_frames = 0;
    context->thread_count = 1;
    context->flags |= AV_CODEC_FLAG_QSCALE | AV_CODEC_FLAG_BITEXACT;
    context->global_quality = FF_QP2LAMBDA * kQuantiser;
    if (format->oformat->flags & AVFMT_GLOBALHEADER) context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    CheckAv(avcodec_open2(context, encoder, nullptr));
  }

  void AllocateFrame() {
    frame = av_frame_alloc();
    packet = av_packet_alloc();
    frame->format = context->pix_fmt;
    frame->width = context->width;
    frame->height = context->height;
    CheckAv(av_frame_get_buffer(frame, 0));
    scaler = sws_getContext(context->width, context->height, AV_PIX_FMT_0RGB32, context->width,
                            context->height, context->pix_fmt,
                            SWS_BICUBIC | SWS_ACCURATE_RND | SWS_BITEXACT, nullptr, nullptr, nullptr);
    if (!scaler) throw Error(AvErrorText(AVERROR(EINVAL)));
  }

  // Hands `input` (null: the end) to the encoder and writes every packet it gives back.
  void Encode(const AVFrame* input) {
    CheckAv(avcodec_send_frame(context, input));
    for (;;) {
      const int result = avcodec_receive_packet(context, packet);
      if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
      CheckAv(result);
      av_packet_rescale_ts(packet, context->time_base, stream->time_base);
      packet->stream_index = stream->index;
      CheckAv(av_interleaved_write_frame(format, packet));
    }
  }
};

FilmEncoder::FilmEncoder(const std::string& path, int width, int height, int frames_per_second, FilmCodec codec)
    : codec_(std::make_unique<Codec>()) {
  Codec& c = *codec_;
  CheckAv(avformat_alloc_output_context2(&c.format, nullptr, "avi", path.c_str()));
  c.format->flags |= AVFMT_FLAG_BITEXACT;
  c.OpenEncoder(width, height, frames_per_second, codec);
  c.stream = avformat_new_stream(c.format, nullptr);
  if (!c.stream) throw Error(AvErrorText(AVERROR(ENOMEM)));
  c.stream->time_base = c.context->time_base;
  CheckAv(avcodec_parameters_from_context(c.stream->codecpar, c.context));
  c.AllocateFrame();
  CheckAv(avio_open(&c.format->pb, path.c_str(), AVIO_FLAG_WRITE));
  CheckAv(avformat_write_header(c.format, nullptr));
}

FilmEncoder::~FilmEncoder() {
  try {
    Finish();
  } catch (const Error&) {
    // A destructor cannot report it; Finish called by the owner does.
  }
}

void FilmEncoder::AddFrame(const uint32_t* pixels) {
  Codec& c = *codec_;
  CheckAv(av_frame_make_writable(c.frame));
  const uint8_t* source[1] = {reinterpret_cast<const uint8_t*>(pixels)};
  const int source_stride[1] = {c.context->width * 4};
  sws_scale(c.scaler, source, source_stride, 0, c.context->height, c.frame->data, c.frame->linesize);
  c.frame->pts = c.next_pts++;
  c.Encode(c.frame);
}

void FilmEncoder::Finish() {
  Codec& c = *codec_;
  if (c.finished) return;
  c.finished = true;
  c.Encode(nullptr);
  CheckAv(av_write_trailer(c.format));
  CheckAv(avio_closep(&c.format->pb));
}

}  // namespace jizdavo
