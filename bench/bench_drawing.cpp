// The drawing operations of a frame, each beside SDL's own software blitter doing the same RGB 5-6-5 work
// in the same run ("<case>/ours" and "<case>/sdl"), and the floor every full-frame copy is held to: one
// memcpy of a 640 x 480 frame. bench/ratios.py reads the JSON output and prints the ratios.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/display/image_list.h"
#include "platform/pixels/surface.h"

namespace {

using namespace jizdavo;

constexpr int kFrameWidth = 640, kFrameHeight = 480;
constexpr RawPixel kKey = 0xF81F;

// A w x h picture of varied colours with a keyed hole in every third pixel.
std::vector<TColor> SpritePixels(int w, int h) {
  std::vector<TColor> pixels;
  for (int i = 0; i < w * h; ++i)
    pixels.push_back(i % 3 == 0 ? RGB(255, 0, 255) : RGB(i * 7, i * 13, i * 29));
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

// Our call on the 640 x 480 back surface with an item of w x h, keyed or not.
template <typename Draw>
void RunOurs(benchmark::State& state, int w, int h, bool transparent, Draw draw) {
  OurScene scene;
  TPictureCollectionItem& item = scene.Item(w, h, transparent);
  for (auto _ : state) draw(item, scene.back);
  benchmark::DoNotOptimize(scene.back.Pixels());
}

struct SdlSource {
  int w, h;
  bool keyed;
  int alpha;  // 255: no blending
};

// SDL's blit of a w x h picture to `to` on its own 640 x 480 surface, scaled when the sizes differ.
void RunSdl(benchmark::State& state, SdlSource source, SDL_Rect to) {
  SdlSurface back = SdlFrame(), picture = SdlPicture(source.w, source.h);
  if (source.keyed) SDL_SetColorKey(picture.get(), SDL_TRUE, kKey);
  if (source.alpha < 255) {
    SDL_SetSurfaceBlendMode(picture.get(), SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceAlphaMod(picture.get(), static_cast<uint8_t>(source.alpha));
  }
  const bool scaled = source.w != to.w || source.h != to.h;
  for (auto _ : state) {
    SDL_Rect rect = to;
    scaled ? SDL_BlitScaled(picture.get(), nullptr, back.get(), &rect)
           : SDL_BlitSurface(picture.get(), nullptr, back.get(), &rect);
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

using Item = TPictureCollectionItem;

// The backdrop copy brings the back surface up to date by copying only what changed since its last
// copy, so each pass first writes over the back surface as a frame would: everywhere (a full copy),
// or where a typical play frame draws (two dozen cars in their lanes, the pedestrian, the clock).
void MarkWholeFrame(TSurface& back) { back.MarkChanged({0, 0, kFrameWidth, kFrameHeight}); }
void MarkPlayFrame(TSurface& back) {
  for (int lane = 0; lane < 6; ++lane) {
    for (int car = 0; car < 4; ++car) {
      const int left = car * 160 + lane * 20, top = 60 + lane * 60;
      back.MarkChanged({left, top, left + 36, top + 15});
    }
  }
  back.MarkChanged({312, 240, 328, 252});
  back.MarkChanged({0, 0, 160, 20});
}

const bool kRegistered = [] {
  using benchmark::RegisterBenchmark;
  using benchmark::State;
  RegisterBenchmark("memcpy_frame", MemcpyFrame);
  RegisterBenchmark("draw_at_keyed_35x15/ours", [](State& s) {
    RunOurs(s, 35, 15, true, [](const Item& item, TSurface& back) { item.DrawAt(back, 301, 207, 0); });
  });
  RegisterBenchmark("draw_at_keyed_35x15/sdl", [](State& s) {
    RunSdl(s, {35, 15, true, 255}, {301, 207, 35, 15});
  });
  RegisterBenchmark("draw_at_backdrop_640x480/ours", [](State& s) {
    RunOurs(s, kFrameWidth, kFrameHeight, false, [](const Item& item, TSurface& back) {
      MarkWholeFrame(back);
      item.DrawAt(back, 0, 0, 0);
    });
  });
  RegisterBenchmark("draw_at_backdrop_after_play_frame/ours", [](State& s) {
    RunOurs(s, kFrameWidth, kFrameHeight, false, [](const Item& item, TSurface& back) {
      MarkPlayFrame(back);
      item.DrawAt(back, 0, 0, 0);
    });
  });
  RegisterBenchmark("draw_at_backdrop_640x480/sdl", [](State& s) {
    RunSdl(s, {kFrameWidth, kFrameHeight, false, 255}, {0, 0, kFrameWidth, kFrameHeight});
  });
  RegisterBenchmark("blend_veil_1x1_to_640x32_a30/ours", [](State& s) {
    RunOurs(s, 1, 1, false, [](const Item& item, TSurface& back) {
      item.DrawBlended(back, {0, 200, 640, 232}, 0, 30);
    });
  });
  RegisterBenchmark("blend_veil_1x1_to_640x32_a30/sdl", [](State& s) {
    RunSdl(s, {1, 1, false, 30}, {0, 200, 640, 32});
  });
  RegisterBenchmark("blend_band_640x32_a100/ours", [](State& s) {
    RunOurs(s, 640, 32, false, [](const Item& item, TSurface& back) {
      item.DrawBlended(back, {0, 300, 640, 332}, 0, 100);
    });
  });
  RegisterBenchmark("blend_band_640x32_a100/sdl", [](State& s) {
    RunSdl(s, {640, 32, false, 100}, {0, 300, 640, 32});
  });
  RegisterBenchmark("stretch_keyed_20x20_to_14x14/ours", [](State& s) {
    RunOurs(s, 20, 20, true, [](const Item& item, TSurface& back) {
      item.DrawStretched(back, {100, 100, 114, 114}, 0);
    });
  });
  RegisterBenchmark("stretch_keyed_20x20_to_14x14/sdl", [](State& s) {
    RunSdl(s, {20, 20, true, 255}, {100, 100, 14, 14});
  });
  RegisterBenchmark("fill_rect_640x10/ours", FillRectOurs);
  RegisterBenchmark("fill_rect_640x10/sdl", FillRectSdl);
  RegisterBenchmark("draw_rotated_16x16_a97/ours", [](State& s) {
    RunOurs(s, 16, 16, true, [](const Item& item, TSurface& back) {
      item.DrawRotated(back, 320, 240, 16, 16, 0, 0.5, 0.5, 97);
    });
  });
  RegisterBenchmark("blend_3x3_a50/ours", [](State& s) {
    RunOurs(s, 3, 3, false, [](const Item& item, TSurface& back) {
      item.DrawBlended(back, {200, 200, 203, 203}, 0, 50);
    });
  });
  return true;
}();

}  // namespace
