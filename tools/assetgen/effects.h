#pragma once
// The game's sound effects, synthesised: each fills exactly `frames` frames at `rate` Hz, -1..1.

#include <vector>

namespace jizdavo::assetgen {

std::vector<float> Squelch(int frames, int rate);           // wet, gurgling splat ("Mlask")
std::vector<float> CarHorn(int frames, int rate);           // bright two-tone horn ("Horn")
std::vector<float> TruckHorn(int frames, int rate);         // deep brassy horn ("Horn2")
std::vector<float> Thud(int frames, int rate);              // heavy body blow ("Impact")
std::vector<float> WoodKnock(int frames, int rate);         // short woody knock ("Puk")
std::vector<float> MenuBlip(int frames, int rate);          // two rising notes, stereo ("Menu")
std::vector<float> VictoryFanfare(int frames, int rate);    // brass fanfare ("Fanfare")

// Brings an effect to its level while it sounds (RMS of the samples above 1 % of full scale; all
// effects share one, a few dB over the music), rounding off any peak that would pass -1 dBFS.
// Channels may be interleaved.
constexpr double kEffectLevel = -16;  // dBFS
void MasterEffect(std::vector<float>& samples, double sounding_rms = kEffectLevel);

}  // namespace jizdavo::assetgen
