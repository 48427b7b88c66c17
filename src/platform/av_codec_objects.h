#pragma once
// The media-library objects a film encoder or decoder, or a compressed wave's decoder, holds, freed
// together. Only for our own .cpp files: it brings in the libraries' headers, which stay out of every
// public header.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace jizdavo {

struct AvCodecObjects {
  AvCodecObjects() = default;
  AvCodecObjects(const AvCodecObjects&) = delete;
  AvCodecObjects& operator=(const AvCodecObjects&) = delete;
  ~AvCodecObjects() {
    sws_freeContext(scaler);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&context);
  }

  AVCodecContext* context = nullptr;
  AVStream* stream = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
};

}  // namespace jizdavo
