#include "preview_scene.h"

#include <stdexcept>
#include <string>

namespace jizdavo::assetgen {

const ImageAsset& Find(const std::vector<ImageAsset>& images, const std::string& name) {
  for (const ImageAsset& item : images)
    if (item.name == name) return item;
  throw std::logic_error("no image " + name);
}

void Put(Raster& dest, const ImageAsset& item, int x, int y) {
  for (int sy = 0; sy < item.picture.height; ++sy)
    for (int sx = 0; sx < item.picture.width; ++sx) {
      TColor c = item.picture.At(sx, sy);
      if (!item.transparent || c != item.key) dest.Set(x + sx, y + sy, c);
    }
}

void PutRow(Raster& dest, const ImageAsset& tile, int y) {
  for (int x = 0; x < dest.width; x += tile.picture.width) Put(dest, tile, x, y);
}

Raster MakeLevelScene(const std::vector<ImageAsset>& images, int ground, int lanes, int roads) {
  Raster scene(640, 480);
  const ImageAsset& tile = Find(images, "Povrch" + std::to_string(ground));
  for (int y = 0; y < 480; y += tile.picture.height) PutRow(scene, tile, y);
  int road_top = 240 - (lanes + 1) * 20 * roads / 2 - 19;
  for (int r = 0; r < roads; ++r) {
    int s = (lanes + 1) * r;
    PutRow(scene, Find(images, "Krajnice2"), road_top + 21 * s + 8);
    for (int j = s + 1; j <= s + lanes - 1; ++j) PutRow(scene, Find(images, "Road"), road_top + s + 20 * j);
    PutRow(scene, Find(images, "Krajnice1"), road_top + s + 20 * (s + lanes));
    for (int lane = 0; lane < lanes; ++lane) {  // a few cars in every lane, left-going on even roads
      for (int k = 0; k < 3; ++k) {
        int type = (r * 7 + lane * 3 + k * 5) % 28 + 1;
        const ImageAsset& car = Find(images, "Auto" + std::to_string(type) + (r % 2 ? "0" : "1"));
        int y = road_top + 21 * s + 20 * lane + 13 + (14 - car.picture.height) / 2;
        Put(scene, car, 40 + k * 210 + lane * 60, y);
      }
    }
  }
  Put(scene, Find(images, "Clovek1d"), 312, 8);
  Put(scene, Find(images, "Clovek1c"), 340, 8);
  Put(scene, Find(images, "Krev"), 470, road_top + 10);
  Put(scene, Find(images, "Mrtvola"), 460, road_top + 13);
  return scene;
}

}  // namespace jizdavo::assetgen
