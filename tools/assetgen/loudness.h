#pragma once
// Level measures for mastering the sounds: integrated loudness as broadcasters measure it (EBU R128:
// K-weighting, 400 ms blocks overlapping by three quarters, gated at -70 LUFS and 10 LU under the
// ungated level), and the plain levels of a sound's loud parts.

#include <vector>

namespace jizdavo::assetgen {

// Samples (-1..1) at `rate` Hz, `channels` interleaved (front left and right count alike); -70 for
// silence or anything shorter than one block.
double IntegratedLoudness(const std::vector<float>& samples, int rate, int channels = 1);

// RMS of the samples above 1 % of full scale, in dB under full scale: how loud a sound is while it
// sounds, however much silence surrounds it. Channels may be interleaved.
double SoundingRmsDb(const std::vector<float>& samples);

// The loudest sample, in dB under full scale.
double PeakDb(const std::vector<float>& samples);

}  // namespace jizdavo::assetgen
