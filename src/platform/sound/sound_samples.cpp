#include "platform/sound/sound_samples.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <new>
#include <optional>

#include "platform/error.h"
#include "platform/little_endian.h"
#include "platform/open_file.h"
#include "platform/sound/wave_codec.h"

namespace jizdavo {
namespace {

constexpr size_t kMaxDataBytes = 0x0FFFFFFF;
constexpr uint16_t kFloatTag = 3;
constexpr uint16_t kExtensibleTag = 0xFFFE;
constexpr int kMaxChannels = 32;  // one for each bit of the speaker mask
// The extensible record after the common sixteen bytes: its size (2), valid bits (2), speaker mask
// (4) and sub-format (16), whose first two bytes are the format tag and whose rest is always this.
constexpr size_t kExtensibleBytes = 24;
constexpr uint8_t kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

enum class Encoding { kUnsigned8, kSigned, kFloat };

struct SampleLayout {
  Encoding encoding;
  int bytes;  // one sample's container
  int channels;
  int frame_bytes;        // the block alignment: one sample of every channel, perhaps padded
  uint32_t speaker_mask;  // where the channels sit, in order; 0 when the file does not say
};

struct Codec {
  uint16_t tag;
  uint32_t speaker_mask;
};

// The format tag and speaker mask, read through the extensible record when there is one.
std::optional<Codec> CodecOf(const WaveFormat& f) {
  if (f.format_tag != kExtensibleTag) return Codec{f.format_tag, 0};
  const std::vector<uint8_t>& x = f.extra;
  if (x.size() < kExtensibleBytes ||
      !std::equal(std::begin(kSubFormatTail), std::end(kSubFormatTail), x.begin() + 10))
    return std::nullopt;
  return Codec{static_cast<uint16_t>(x[8] | x[9] << 8), ReadLittleEndian32(x.data() + 4)};
}

// A form the media library may decode: any tag but the plain and extensible PCM and float ones.
bool IsCompressed(const WaveFormat& f) {
  return f.format_tag != WaveFormat::kPcm && f.format_tag != kFloatTag && f.format_tag != kExtensibleTag;
}

std::optional<SampleLayout> LayoutOf(const WaveFormat& f) {
  const std::optional<Codec> codec = CodecOf(f);
  if (!codec || f.channels < 1 || f.channels > kMaxChannels || f.samples_per_sec == 0) return std::nullopt;
  const int bits = f.bits_per_sample;
  SampleLayout layout{Encoding::kSigned, (bits + 7) / 8, f.channels, f.block_align, codec->speaker_mask};
  if (codec->tag == WaveFormat::kPcm && bits >= 1 && bits <= 32) {
    // Samples of up to 8 bits are unsigned around the middle, wider ones signed.
    if (layout.bytes == 1) layout.encoding = Encoding::kUnsigned8;
  } else if (codec->tag == kFloatTag && (bits == 32 || bits == 64)) {
    layout.encoding = Encoding::kFloat;
  } else {
    return std::nullopt;
  }
  if (layout.frame_bytes < layout.bytes * layout.channels) return std::nullopt;
  return layout;
}

// Wider integers and floats are read on the 16-bit scale as floats, rounded when stored.
int16_t ToSample(int16_t value) { return value; }
int16_t ToSample(float value) {
  return static_cast<int16_t>(std::lrint(std::clamp(value, -32768.0f, 32767.0f)));
}

// An integer of any width is read into the top of 32 bits (narrower samples are stored left
// justified), so each keeps its full scale.
float ReadSigned(const uint8_t* p, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<uint32_t>(p[i]) << (8 * (4 - bytes + i));
  return static_cast<float>(static_cast<int32_t>(value)) / 65536.0f;
}

float ReadFloat(const uint8_t* p, int bytes) {
  const double value = bytes == 4
                           ? std::bit_cast<float>(ReadLittleEndian32(p))
                           : std::bit_cast<double>(ReadLittleEndian32(p) |
                                                   static_cast<uint64_t>(ReadLittleEndian32(p + 4)) << 32);
  // Values past full scale are clipped; one that is no number at all is silence.
  return std::isnan(value) ? 0.0f : static_cast<float>(std::clamp(value * 32768.0, -32768.0, 32768.0));
}

// Calls `convert` with the reader of one sample for the layout; 8- and 16-bit samples are read exactly
// as integers, as nearly every wave has them.
template <typename Convert>
void WithReader(const SampleLayout& layout, Convert convert) {
  const int bytes = layout.bytes;
  switch (layout.encoding) {
    case Encoding::kUnsigned8:
      return convert([](const uint8_t* p) { return static_cast<int16_t>((p[0] - 128) * 256); });
    case Encoding::kSigned:
      if (bytes == 2) return convert([](const uint8_t* p) { return static_cast<int16_t>(p[0] | p[1] << 8); });
      return convert([bytes](const uint8_t* p) { return ReadSigned(p, bytes); });
    case Encoding::kFloat:
      return convert([bytes](const uint8_t* p) { return ReadFloat(p, bytes); });
  }
}

// The weight of every channel on each side of the stereo pair; each side's weights sum to 1.
struct Downmix {
  std::vector<float> left, right;
};

struct Shares {
  float left, right;
};

// Speaker positions by their bit in the mask: the front, back, front-of-centre, side, top-front and
// top-back pairs are heard on their own side; centres and the low-frequency channel on both.
constexpr uint32_t kLeftSpeakers = 1u << 0 | 1u << 4 | 1u << 6 | 1u << 9 | 1u << 12 | 1u << 15;
constexpr uint32_t kRightSpeakers = 1u << 1 | 1u << 5 | 1u << 7 | 1u << 10 | 1u << 14 | 1u << 17;
constexpr int kCentreSpeaker = 2;

Shares SharesOf(int position) {
  const uint32_t speaker = 1u << position;
  if (speaker & kLeftSpeakers) return {1.0f, 0.0f};
  if (speaker & kRightSpeakers) return {0.0f, 1.0f};
  return {0.70710678f, 0.70710678f};
}

float Sum(const std::vector<float>& weights) {
  float sum = 0;
  for (float w : weights) sum += w;
  return sum;
}

// A side with no channel of its own hears what the other side hears.
void ScaleToOne(std::vector<float>& weights, const std::vector<float>& other) {
  if (Sum(weights) == 0) weights = other;
  const float sum = Sum(weights);
  for (float& w : weights) w /= sum;
}

// Channel n sits at the n-th speaker of the mask; without a mask the positions follow in order, and
// channels past the mask's speakers count as centres.
Downmix DownmixFor(const SampleLayout& layout) {
  Downmix mix;
  uint32_t speakers = layout.speaker_mask;
  for (int channel = 0; channel < layout.channels; ++channel) {
    int position = channel;
    if (layout.speaker_mask != 0) {
      position = speakers != 0 ? std::countr_zero(speakers) : kCentreSpeaker;
      speakers &= speakers - 1;
    }
    mix.left.push_back(SharesOf(position).left);
    mix.right.push_back(SharesOf(position).right);
  }
  ScaleToOne(mix.left, mix.right);
  ScaleToOne(mix.right, mix.left);
  return mix;
}

// Converts whole frames of a layout into 16-bit mono or stereo; more than two channels are mixed down.
class FrameConverter {
 public:
  explicit FrameConverter(const SampleLayout& layout) : layout_(layout) {
    if (layout.channels > 2) mix_ = DownmixFor(layout);
  }

  int OutChannels() const { return std::min(layout_.channels, 2); }
  int FrameBytes() const { return layout_.frame_bytes; }

  // The whole frames of `data` into `out`, room for that many.
  void Convert(std::span<const uint8_t> data, int16_t* out) const {
    const size_t frames = data.size() / static_cast<size_t>(layout_.frame_bytes);
    WithReader(layout_, [&](auto read) {
      if (layout_.channels <= 2) {
        CopyFrames(data.data(), frames, read, out);
      } else {
        MixDownFrames(data.data(), frames, read, out);
      }
    });
  }

 private:
  // Mono and stereo keep their channels.
  template <typename Read>
  void CopyFrames(const uint8_t* frame, size_t frames, Read read, int16_t* out) const {
    for (size_t i = 0; i < frames; ++i, frame += layout_.frame_bytes) {
      for (int c = 0; c < layout_.channels; ++c) *out++ = ToSample(read(frame + c * layout_.bytes));
    }
  }

  template <typename Read>
  void MixDownFrames(const uint8_t* frame, size_t frames, Read read, int16_t* out) const {
    for (size_t i = 0; i < frames; ++i, frame += layout_.frame_bytes) {
      float left = 0, right = 0;
      for (int c = 0; c < layout_.channels; ++c) {
        const float value = read(frame + c * layout_.bytes);
        left += mix_.left[c] * value;
        right += mix_.right[c] * value;
      }
      *out++ = ToSample(left);
      *out++ = ToSample(right);
    }
  }

  SampleLayout layout_;
  Downmix mix_;
};

std::vector<int16_t> ConvertAll(std::span<const uint8_t> data, const FrameConverter& converter) {
  std::vector<int16_t> samples(data.size() / converter.FrameBytes() * converter.OutChannels());
  converter.Convert(data, samples.data());
  return samples;
}

// The bytes of a file's data chunk read in order, a piece at a time; zeros where the file has been cut
// since it was opened.
class DataReader {
 public:
  explicit DataReader(const WaveFileData& in_file) : in_file_(in_file) {}
  uint64_t Left() const { return in_file_.size - done_; }
  // The next `into.size()` bytes (at most Left()).
  void Read(std::span<uint8_t> into) {
    const size_t got = in_file_.file->ReadAt(in_file_.offset + done_, into);
    std::fill(into.begin() + static_cast<ptrdiff_t>(got), into.end(), uint8_t{0});
    done_ += into.size();
  }

 private:
  WaveFileData in_file_;
  uint64_t done_ = 0;
};

// PCM frames read from the wave's file and converted.
class PcmFrames final : public FrameSource {
 public:
  PcmFrames(const SampleLayout& layout, const WaveFileData& in_file)
      : converter_(layout), reader_(in_file), bytes_(kReadBytes) {}

  size_t Read(int16_t* out, size_t frames) override {
    const size_t frame_bytes = static_cast<size_t>(converter_.FrameBytes());
    const size_t per_read = kReadBytes / frame_bytes;
    size_t done = 0;
    while (done < frames) {
      const size_t piece =
          static_cast<size_t>(std::min<uint64_t>({per_read, frames - done, reader_.Left() / frame_bytes}));
      if (piece == 0) break;
      const std::span<uint8_t> bytes(bytes_.data(), piece * frame_bytes);
      reader_.Read(bytes);
      converter_.Convert(bytes, out + done * converter_.OutChannels());
      done += piece;
    }
    return done;
  }

  // The largest frame streamed; a wider one (a block alignment past this) is held instead.
  static constexpr size_t kReadBytes = 16384;

 private:
  FrameConverter converter_;
  DataReader reader_;
  std::vector<uint8_t> bytes_;
};

// The 16-bit samples a decoder gives, as the mixer takes them: more than two channels mixed down as
// PCM's are.
FrameConverter DecodedConverter(int channels) {
  // Decoded samples are native 16-bit integers, as the layout reads them on a little-endian machine.
  const int frame_bytes = channels * static_cast<int>(sizeof(int16_t));
  return FrameConverter({Encoding::kSigned, sizeof(int16_t), channels, frame_bytes, 0});
}

std::span<const uint8_t> BytesOf(const std::vector<int16_t>& samples) {
  return {reinterpret_cast<const uint8_t*>(samples.data()), samples.size() * sizeof(int16_t)};
}

// A compressed form decoded a packet at a time as it is read: what one packet gives waits in
// `decoded_` (a few tens of kilobytes) until it is taken.
class DecodedFrames final : public FrameSource {
 public:
  DecodedFrames(const WaveFormat& format, const WaveFileData& in_file)
      : decoder_(format),
        converter_(DecodedConverter(format.channels)),
        channels_(format.channels),
        reader_(in_file),
        packet_(decoder_.PacketBytes()) {}

  size_t Read(int16_t* out, size_t frames) override {
    size_t done = 0;
    while (done < frames) {
      const size_t waiting = (decoded_.size() - taken_) / static_cast<size_t>(channels_);
      if (waiting == 0) {
        if (!DecodeMore()) break;
        continue;
      }
      const size_t piece = std::min(waiting, frames - done);
      const std::span<const uint8_t> bytes = BytesOf(decoded_).subspan(taken_ * sizeof(int16_t));
      converter_.Convert(bytes.first(piece * static_cast<size_t>(channels_) * sizeof(int16_t)),
                         out + done * static_cast<size_t>(converter_.OutChannels()));
      taken_ += piece * static_cast<size_t>(channels_);
      done += piece;
    }
    return done;
  }

 private:
  // Decodes the next packet; false at the end of the data or once the decoder refuses it.
  bool DecodeMore() {
    decoded_.clear();
    taken_ = 0;
    while (decoded_.empty() && going_) {
      const size_t size = static_cast<size_t>(std::min<uint64_t>(packet_.size(), reader_.Left()));
      reader_.Read({packet_.data(), size});
      going_ = decoder_.Decode({packet_.data(), size}, decoded_) && size > 0;
    }
    return !decoded_.empty();
  }

  WaveDecoder decoder_;
  FrameConverter converter_;
  int channels_;
  DataReader reader_;
  std::vector<uint8_t> packet_;
  std::vector<int16_t> decoded_;
  size_t taken_ = 0;
  bool going_ = true;
};

// A wave kept in its file, read from there while it plays.
class StreamedSamples final : public SoundSamples {
 public:
  using Open = std::function<std::unique_ptr<FrameSource>()>;
  StreamedSamples(int channels, int rate, Open open) : SoundSamples(channels, rate), open_(std::move(open)) {}

  std::span<const int16_t> Held() const override { return {}; }
  std::unique_ptr<FrameSource> OpenStream() const override { return open_(); }

 private:
  Open open_;
};

// The sample bytes of a wave to be held: its own, or those read from its file into `read`.
std::span<const uint8_t> BytesToHold(const TWave& wave, std::vector<uint8_t>& read) {
  if (static_cast<size_t>(wave.Size()) > kMaxDataBytes) throw Error("Sound Buffer cannot be made");
  if (!wave.InFile()) return wave.Data();
  read = wave.ReadData();
  return read;
}

// A compressed form held in memory, decoded whole.
std::shared_ptr<const SoundSamples> DecodeCodec(const TWave& wave, int rate) {
  DecodedSound decoded = DecodeWaveCodec(wave.Format(), wave.Data(), kMaxDataBytes / sizeof(int16_t));
  if (decoded.channels <= 2)
    return std::make_shared<HeldSamples>(decoded.channels, rate, std::move(decoded.samples));
  return std::make_shared<HeldSamples>(
      2, rate, ConvertAll(BytesOf(decoded.samples), DecodedConverter(decoded.channels)));
}

// A compressed form kept in its file. Its decoder is made once here, so that a form the library
// cannot decode is refused now rather than found silent when it plays.
std::shared_ptr<const SoundSamples> StreamCodec(const TWave& wave, int rate) {
  WaveDecoder{wave.Format()};
  const WaveFormat format = wave.Format();
  const WaveFileData in_file = *wave.InFile();
  return std::make_shared<StreamedSamples>(std::min<int>(format.channels, 2), rate, [format, in_file] {
    return std::make_unique<DecodedFrames>(format, in_file);
  });
}

}  // namespace

std::shared_ptr<const SoundSamples> MakeSoundSamples(const TWave& wave) {
  const WaveFormat& format = wave.Format();
  const std::optional<SampleLayout> layout = LayoutOf(format);
  const size_t size = static_cast<size_t>(wave.Size());
  if ((!layout && !IsCompressed(format)) || size == 0 ||
      (layout && size < static_cast<size_t>(layout->frame_bytes)))
    throw Error("Sound Buffer cannot be made");
  // Rates past the int range are inaudible anyway: every output frame would skip whole seconds.
  const int rate = static_cast<int>(std::min<uint32_t>(format.samples_per_sec, INT_MAX));
  try {
    const WaveFileData* in_file = wave.InFile();
    if (!layout) return in_file ? StreamCodec(wave, rate) : DecodeCodec(wave, rate);
    const FrameConverter converter(*layout);
    if (in_file && static_cast<size_t>(layout->frame_bytes) <= PcmFrames::kReadBytes) {
      return std::make_shared<StreamedSamples>(
          converter.OutChannels(), rate,
          [layout = *layout, in_file = *in_file] { return std::make_unique<PcmFrames>(layout, in_file); });
    }
    std::vector<uint8_t> read;
    return std::make_shared<HeldSamples>(converter.OutChannels(), rate,
                                         ConvertAll(BytesToHold(wave, read), converter));
  } catch (const std::bad_alloc&) {
    throw Error("Sound Buffer cannot be locked");
  }
}

}  // namespace jizdavo
