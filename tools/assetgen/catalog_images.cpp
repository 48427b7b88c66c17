// The 80 image items in collection order.
#include <stdexcept>
#include <string>

#include "art.h"
#include "cars.h"
#include "catalog.h"
#include "palette.h"

namespace jizdavo::assetgen {

namespace {

ImageAsset Item(std::string name, bool transparent, TColor key, Raster picture = {}) {
  if (picture.width > 0) ApplyKey(picture, key, transparent);
  return {std::move(name), transparent, key, false, std::move(picture)};
}

// Pictures that are the key colour black by definition; re-keying leaves them alone.
ImageAsset BlackPixel(std::string name, bool one_bit) {
  return {std::move(name), false, clBlack, one_bit, Raster(1, 1, clBlack)};
}

void AddCars(std::vector<ImageAsset>& items) {
  for (int type = 1; type <= kCarTypes; ++type) {
    const CarModel& model = CarModelOf(type);
    Raster right = DrawCar(type);
    std::string name = "Auto" + std::to_string(type);
    items.push_back(Item(name + "0", true, model.key, right));
    items.push_back(Item(name + "1", true, model.key, MirroredX(right)));
  }
}

}  // namespace

void ApplyKey(Raster& picture, TColor key, bool transparent) {
  RawPixel key_pixel = rgb565::FromColor(key);
  for (TColor& c : picture.pixels) {
    if (c == kClear) {
      if (!transparent) throw std::logic_error("an opaque picture has see-through pixels");
      c = key;
    } else if (rgb565::FromColor(c) == key_pixel) {
      uint32_t g = GetGValue(c);
      c = RGB(GetRValue(c), g >= 128 ? g - 4 : g + 4, GetBValue(c));
    }
  }
}

std::vector<ImageAsset> MakeImages() {
  std::vector<ImageAsset> items;
  items.push_back(Item("Pozadi", false, clLime));
  items.push_back(Item("Road", false, 0xB5B5B5, RoadTile()));
  items.push_back(Item("Krajnice1", false, 0xB5B5B5, KerbTile(false)));
  items.push_back(Item("Krajnice2", false, 0xB5B5B5, KerbTile(true)));
  items.push_back(Item("Krev", true, clBlack, BloodStain()));
  items.push_back(Item("Povrch1", false, 0x0F7B4B, GroundTile(1)));
  items.push_back(Item("Povrch2", false, 0x23A77F, GroundTile(2)));
  items.push_back(Item("Povrch3", false, 0x369553, GroundTile(3)));
  items.push_back(Item("Povrch4", false, 0xEEE7D8, GroundTile(4)));
  items.push_back(Item("Clovek1d", true, clLime, PedestrianStanding()));
  items.push_back(Item("Clovek1c", true, clLime, PedestrianStepping()));
  items.push_back(Item("Clovek1c2", true, clLime, MirroredX(PedestrianStepping())));
  items.push_back(Item("Mrtvola", true, clRed, Corpse()));
  items.push_back(Item("Mrtvola2", true, clRed, MirroredX(Corpse())));
  AddCars(items);
  items.push_back(Item("Krev1", false, 0x8181B7, BloodDrop()));
  items.push_back(Item("end", true, clMaroon));
  items.push_back(BlackPixel("Caption", false));
  items.push_back(Item("Znak1", true, clLime, Emblem(1)));
  items.push_back(Item("Znak2", true, clLime, Emblem(2)));
  items.push_back(Item("Cil", false, clBlack));
  items.push_back(Item("Barrier", false, clBlack, Raster(2, 3, pal::BarrierGrey)));
  items.push_back(Item("Alpha", false, clBlack));
  items.push_back(Item("CarTemp", true, clBlack));
  items.push_back(BlackPixel("Cernota", true));
  return items;
}

}  // namespace jizdavo::assetgen
