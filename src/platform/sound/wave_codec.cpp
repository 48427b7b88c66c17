#include "platform/sound/wave_codec.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "platform/av_codec_objects.h"
#include "platform/error.h"

namespace jizdavo {
namespace {

const char* const kCannotMake = "Sound Buffer cannot be made";
// The bytes handed to the decoder at a time: whole blocks, about this many.
constexpr size_t kPacketBytes = 16384;

// The library's decoder for a WAVE format tag, as its own WAVE reader chooses it.
const AVCodec* DecoderFor(uint16_t tag) {
  const AVCodecTag* const tags[] = {avformat_get_riff_audio_tags(), nullptr};
  const AVCodecID id = av_codec_get_id(tags, tag);
  return id == AV_CODEC_ID_NONE ? nullptr : avcodec_find_decoder(id);
}

// The codec's own setup bytes: those the format record's extra part says follow its size field.
void SetExtraData(AVCodecContext& context, const std::vector<uint8_t>& extra) {
  if (extra.size() < 2) return;
  const size_t size = std::min<size_t>(extra[0] | extra[1] << 8, extra.size() - 2);
  if (size == 0) return;
  context.extradata = static_cast<uint8_t*>(av_mallocz(size + AV_INPUT_BUFFER_PADDING_SIZE));
  if (context.extradata == nullptr) throw Error(kCannotMake);
  std::memcpy(context.extradata, extra.data() + 2, size);
  context.extradata_size = static_cast<int>(size);
}

void OpenDecoder(AvCodecObjects& codec, const WaveFormat& format) {
  const AVCodec* decoder = DecoderFor(format.format_tag);
  if (decoder == nullptr || decoder->type != AVMEDIA_TYPE_AUDIO || format.channels == 0 ||
      format.samples_per_sec == 0)
    throw Error(kCannotMake);
  codec.context = avcodec_alloc_context3(decoder);
  codec.frame = av_frame_alloc();
  codec.packet = av_packet_alloc();
  if (codec.context == nullptr || codec.frame == nullptr || codec.packet == nullptr) throw Error(kCannotMake);
  AVCodecContext& context = *codec.context;
  context.sample_rate = static_cast<int>(std::min<uint32_t>(format.samples_per_sec, INT32_MAX));
  av_channel_layout_default(&context.ch_layout, format.channels);
  context.block_align = format.block_align;
  context.bits_per_coded_sample = format.bits_per_sample;
  context.bit_rate = int64_t{format.avg_bytes_per_sec} * 8;
  SetExtraData(context, format.extra);
  if (avcodec_open2(&context, decoder, nullptr) < 0) throw Error(kCannotMake);
}

// One decoded sample on the 16-bit scale, whatever form the decoder gives it in.
int16_t SampleAt(const AVFrame& frame, int channel, int index, int channels) {
  const auto format = static_cast<AVSampleFormat>(frame.format);
  const bool planar = av_sample_fmt_is_planar(format);
  const int at = planar ? index : index * channels + channel;
  const uint8_t* plane = frame.extended_data[planar ? channel : 0];
  double value;
  switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8:
      return static_cast<int16_t>((plane[at] - 128) * 256);
    case AV_SAMPLE_FMT_S16:
      return reinterpret_cast<const int16_t*>(plane)[at];
    case AV_SAMPLE_FMT_S32:
      return static_cast<int16_t>(reinterpret_cast<const int32_t*>(plane)[at] >> 16);
    case AV_SAMPLE_FMT_FLT:
      value = reinterpret_cast<const float*>(plane)[at];
      break;
    case AV_SAMPLE_FMT_DBL:
      value = reinterpret_cast<const double*>(plane)[at];
      break;
    default:
      return 0;
  }
  return std::isnan(value) ? 0
                           : static_cast<int16_t>(std::lrint(std::clamp(value * 32768.0, -32768.0, 32767.0)));
}

}  // namespace

WaveDecoder::WaveDecoder(const WaveFormat& format)
    : codec_(std::make_unique<AvCodecObjects>()), channels_(format.channels) {
  OpenDecoder(*codec_, format);
  const size_t block = std::max<size_t>(format.block_align, 1);
  packet_bytes_ = std::max(block, kPacketBytes / block * block);
}

WaveDecoder::~WaveDecoder() = default;

bool WaveDecoder::Decode(std::span<const uint8_t> bytes, std::vector<int16_t>& samples) {
  AVPacket* packet = codec_->packet;
  if (!bytes.empty()) {
    if (av_new_packet(packet, static_cast<int>(bytes.size())) < 0) return false;
    std::memcpy(packet->data, bytes.data(), bytes.size());
  }
  const int sent = avcodec_send_packet(codec_->context, bytes.empty() ? nullptr : packet);
  av_packet_unref(packet);
  if (sent < 0) return false;
  AVFrame& frame = *codec_->frame;
  while (avcodec_receive_frame(codec_->context, &frame) >= 0) {
    // A decoder that changes its channel count midway is not followed.
    const int channels = std::min(frame.ch_layout.nb_channels, channels_);
    for (int i = 0; i < frame.nb_samples; ++i)
      for (int c = 0; c < channels_; ++c)
        samples.push_back(c < channels ? SampleAt(frame, c, i, frame.ch_layout.nb_channels) : 0);
    av_frame_unref(&frame);
  }
  return true;
}

DecodedSound DecodeWaveCodec(const WaveFormat& format, std::span<const uint8_t> data, size_t max_samples) {
  WaveDecoder decoder(format);
  const size_t packet_bytes = decoder.PacketBytes();
  DecodedSound sound{format.channels, {}};
  bool going = true;
  for (size_t at = 0; going && at < data.size() && sound.samples.size() < max_samples; at += packet_bytes)
    going = decoder.Decode(data.subspan(at, std::min(packet_bytes, data.size() - at)), sound.samples);
  if (going && sound.samples.size() < max_samples) decoder.Decode({}, sound.samples);  // the last frames
  const size_t whole_frames = max_samples / std::max<size_t>(format.channels, 1) * format.channels;
  if (sound.samples.size() > whole_frames) sound.samples.resize(whole_frames);
  if (sound.samples.empty()) throw Error(kCannotMake);
  return sound;
}

}  // namespace jizdavo
