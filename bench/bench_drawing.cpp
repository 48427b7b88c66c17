// The drawing operations of a frame, each beside SDL's own software blitter doing the same RGB 5-6-5 work
// in the same run ("<case>/ours" and "<case>/sdl"), and the floor every full-frame copy is held to: one
// memcpy of a 640 x 480 frame. bench/ratios.py reads the JSON output and prints the ratios.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/image_list.h"
#include "platform/surface.h"

namespace {

using namespace jizdavo;

constexpr int kFrameWidth = 640, kFrameHeight = 480;
constexpr RawPixel kKey = 0xF81F;

// A w x h picture of varied colours with a keyed hole in every third pixel.
std::vector<TColor> SpritePixels(int w, int h) {
  std::vector<TColor> pixels;
  for (int i = 0; i < w * h; ++i) pixels.push_back(i % 3 == 0 ? RGB(255, 0, 255) : RGB(i * 7, i * 13, i * 29));
  return pixels;
}

struct OurScene {
  TDXImageList images;
  TSurface back{kFrameWidth, kFrameHeight};

  TPictureCollectionItem& Item(int w, int h, bool transparent) {
    TPictureCollectionItem& item = images.Add("Bench" + std::to_string(images.Count()));
    item.Picture().Assign(w, h, 24, SpritePixels(w, h));
    item.Transparent = transparent;
    item.SetTransparentColor(RGB(255, 0, 255));
    images.InitializeAll();
    item.Rebuild();
    return item;
  }
};

using SdlSurface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

SdlSurface SdlPicture(int w, int h) {
  SdlSurface surface(SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565), SDL_FreeSurface);
  const std::vector<TColor> pixels = SpritePixels(w, h);
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < w; ++x) row[x] = rgb565::FromColor(pixels[y * w + x]);
  }
  return surface;
}

SdlSurface SdlFrame() { return SdlPicture(kFrameWidth, kFrameHeight); }

void MemcpyFrame(benchmark::State& state) {
  std::vector<RawPixel> from(kFrameWidth * kFrameHeight, 0x1234), to(kFrameWidth * kFrameHeight);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), to.size() * sizeof(RawPixel));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

// Each case: our call on the 640 x 480 back surface, and SDL's blit of the same pixels.
void KeyedSpriteOurs(benchmark::State& state) {
  OurScene scene;
  TPictureCollectionItem& car = scene.Item(35, 15, true);
  for (auto _ : state) car.DrawAt(scene.back, 301, 207, 0);
  benchmark::DoNotOptimize(scene.back.Pixels());
}

void KeyedSpriteSdl(benchmark::State& state) {
  SdlSurface back = SdlFrame(), car = SdlPicture(35, 15);
  SDL_SetColorKey(car.get(), SDL_TRUE, kKey);
  for (auto _ : state) {
    SDL_Rect at{301, 207, 35, 15};
    SDL_BlitSurface(car.get(), nullptr, back.get(), &at);
  }
}

void BackdropOurs(benchmark::State& state) {
  OurScene scene;
  TPictureCollectionItem& backdrop = scene.Item(kFrameWidth, kFrameHeight, false);
  for (auto _ : state) backdrop.DrawAt(scene.back, 0, 0, 0);
  benchmark::DoNotOptimize(scene.back.Pixels());
}

void BackdropSdl(benchmark::State& state) {
  SdlSurface back = SdlFrame(), backdrop = SdlFrame();
  for (auto _ : state) {
    SDL_Rect at{0, 0, kFrameWidth, kFrameHeight};
    SDL_BlitSurface(backdrop.get(), nullptr, back.get(), &at);
  }
}

void VeilOurs(benchmark::State& state) {
  OurScene scene;
  TPictureCollectionItem& veil = scene.Item(1, 1, false);
  for (auto _ : state) veil.DrawBlended(scene.back, {0, 200, kFrameWidth, 232}, 0, 30);
  benchmark::DoNotOptimize(scene.back.Pixels());
}

void VeilSdl(benchmark::State& state) {
  SdlSurface back = SdlFrame(), veil = SdlPicture(1, 1);
  SDL_SetSurfaceBlendMode(veil.get(), SDL_BLENDMODE_BLEND);
  SDL_SetSurfaceAlphaMod(veil.get(), 30);
  for (auto _ : state) {
    SDL_Rect to{0, 200, kFrameWidth, 32};
    SDL_BlitScaled(veil.get(), nullptr, back.get(), &to);
  }
}

void BandOurs(benchmark::State& state) {
  OurScene scene;
  TPictureCollectionItem& band = scene.Item(kFrameWidth, 32, false);
  for (auto _ : state) band.DrawBlended(scene.back, {0, 300, kFrameWidth, 332}, 0, 100);
  benchmark::DoNotOptimize(scene.back.Pixels());
}

void BandSdl(benchmark::State& state) {
  SdlSurface back = SdlFrame(), band = SdlPicture(kFrameWidth, 32);
  SDL_SetSurfaceBlendMode(band.get(), SDL_BLENDMODE_BLEND);
  SDL_SetSurfaceAlphaMod(band.get(), 100);
  for (auto _ : state) {
    SDL_Rect at{0, 300, kFrameWidth, 32};
    SDL_BlitSurface(band.get(), nullptr, back.get(), &at);
  }
}

void StretchKeyedOurs(benchmark::State& state) {
  OurScene scene;
  TPictureCollectionItem& stain = scene.Item(20, 20, true);
  for (auto _ : state) stain.DrawStretched(scene.back, {100, 100, 114, 114}, 0);
  benchmark::DoNotOptimize(scene.back.Pixels());
}

void StretchKeyedSdl(benchmark::State& state) {
  SdlSurface back = SdlFrame(), stain = SdlPicture(20, 20);
  SDL_SetColorKey(stain.get(), SDL_TRUE, kKey);
  for (auto _ : state) {
    SDL_Rect to{100, 100, 14, 14};
    SDL_BlitScaled(stain.get(), nullptr, back.get(), &to);
  }
}

void FillRectOurs(benchmark::State& state) {
  TSurface back(kFrameWidth, kFrameHeight);
  for (auto _ : state) back.FillRect({0, 460, kFrameWidth, 470}, 0x8410);
  benchmark::DoNotOptimize(back.Pixels());
}

void FillRectSdl(benchmark::State& state) {
  SdlSurface back = SdlFrame();
  for (auto _ : state) {
    SDL_Rect rect{0, 460, kFrameWidth, 10};
    SDL_FillRect(back.get(), &rect, 0x8410);
  }
}

void RotatedOurs(benchmark::State& state) {
  OurScene scene;
  TPictureCollectionItem& walker = scene.Item(16, 16, true);
  for (auto _ : state) walker.DrawRotated(scene.back, 320, 240, 16, 16, 0, 0.5, 0.5, 97);
  benchmark::DoNotOptimize(scene.back.Pixels());
}

void SmallBlendOurs(benchmark::State& state) {
  OurScene scene;
  TPictureCollectionItem& dot = scene.Item(3, 3, false);
  for (auto _ : state) dot.DrawBlended(scene.back, {200, 200, 203, 203}, 0, 50);
  benchmark::DoNotOptimize(scene.back.Pixels());
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("memcpy_frame", MemcpyFrame);
  benchmark::RegisterBenchmark("draw_at_keyed_35x15/ours", KeyedSpriteOurs);
  benchmark::RegisterBenchmark("draw_at_keyed_35x15/sdl", KeyedSpriteSdl);
  benchmark::RegisterBenchmark("draw_at_backdrop_640x480/ours", BackdropOurs);
  benchmark::RegisterBenchmark("draw_at_backdrop_640x480/sdl", BackdropSdl);
  benchmark::RegisterBenchmark("blend_veil_1x1_to_640x32_a30/ours", VeilOurs);
  benchmark::RegisterBenchmark("blend_veil_1x1_to_640x32_a30/sdl", VeilSdl);
  benchmark::RegisterBenchmark("blend_band_640x32_a100/ours", BandOurs);
  benchmark::RegisterBenchmark("blend_band_640x32_a100/sdl", BandSdl);
  benchmark::RegisterBenchmark("stretch_keyed_20x20_to_14x14/ours", StretchKeyedOurs);
  benchmark::RegisterBenchmark("stretch_keyed_20x20_to_14x14/sdl", StretchKeyedSdl);
  benchmark::RegisterBenchmark("fill_rect_640x10/ours", FillRectOurs);
  benchmark::RegisterBenchmark("fill_rect_640x10/sdl", FillRectSdl);
  benchmark::RegisterBenchmark("draw_rotated_16x16_a97/ours", RotatedOurs);
  benchmark::RegisterBenchmark("blend_3x3_a50/ours", SmallBlendOurs);
  return true;
}();

}  // namespace
