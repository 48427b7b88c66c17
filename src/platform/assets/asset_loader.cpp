#include "platform/assets/asset_loader.h"

#include "platform/pictures/dib_format.h"

namespace jizdavo {

void AddStoredImages(TDXImageList& list, std::span<const StoredImage> images) {
  for (const StoredImage& stored : images) {
    TPictureCollectionItem& item = list.Add(stored.name);
    item.PatternWidth = 0;  // the whole picture is pattern 0
    item.PatternHeight = 0;
    item.SystemMemory = false;
    item.Transparent = stored.transparent;
    item.SetTransparentColor(stored.transparent_color);
    AssignPicture(item.Picture(), DecodePicturePayload(stored.payload));
  }
}

void AddStoredSounds(TDXWaveList& list, std::span<const StoredSound> sounds) {
  for (const StoredSound& stored : sounds) {
    TWaveCollectionItem& item = list.Add(stored.name);
    item.Wave().LoadFromMemory(stored.wave);
    item.SetLooped(stored.looped);
  }
}

void LoadStoredAssets(TDXImageList& images, TDXWaveList& sounds, std::span<const StoredImage> stored_images,
                      std::span<const StoredSound> stored_sounds) {
  AddStoredImages(images, stored_images);
  AddStoredSounds(sounds, stored_sounds);
}

}  // namespace jizdavo
