#include "platform/pixels/surface_fixtures.h"

#include <algorithm>

namespace jizdavo::testing {

std::unique_ptr<TSurface> RandomSurface(int width, int height, std::mt19937& rng,
                                        const std::vector<RawPixel>& palette) {
  auto surface = std::make_unique<TSurface>(width, height);
  std::uniform_int_distribution<size_t> pick(0, palette.size() - 1);
  for (int i = 0; i < width * height; ++i) surface->Pixels()[i] = palette[pick(rng)];
  return surface;
}

std::unique_ptr<TSurface> NoiseSurface(int width, int height, std::mt19937& rng) {
  auto surface = std::make_unique<TSurface>(width, height);
  std::uniform_int_distribution<int> any(0, 0xFFFF);
  for (int i = 0; i < width * height; ++i) surface->Pixels()[i] = static_cast<RawPixel>(any(rng));
  return surface;
}

std::unique_ptr<TSurface> Clone(const TSurface& surface) {
  auto copy = std::make_unique<TSurface>(surface.Width(), surface.Height());
  std::copy_n(surface.Pixels(), surface.Width() * surface.Height(), copy->Pixels());
  copy->SetColorKey(surface.ColorKey());
  return copy;
}

std::vector<RawPixel> PixelsOf(const TSurface& surface) {
  return {surface.Pixels(), surface.Pixels() + surface.Width() * surface.Height()};
}

int CountPixels(const TSurface& surface, RawPixel value) {
  return static_cast<int>(
      std::count(surface.Pixels(), surface.Pixels() + surface.Width() * surface.Height(), value));
}

}  // namespace jizdavo::testing
