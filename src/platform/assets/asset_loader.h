#pragma once
// Fills the image and sound collections from the pictures and sounds built into the program, in
// collection order, through the same readers that read pictures and waves from files.

#include <span>

#include "platform/assets/asset_catalog.h"
#include "platform/display/image_list.h"
#include "platform/sound/wave_list.h"

namespace jizdavo {

// Each image item with its stored fields; a stored picture is decoded, an empty one stays empty.
void AddStoredImages(TDXImageList& list, std::span<const StoredImage> images);

// Each sound item with its stored wave and looping.
void AddStoredSounds(TDXWaveList& list, std::span<const StoredSound> sounds);

// Both collections at start-up, from StoredImages() and StoredSounds() or a test's own tables.
void LoadStoredAssets(TDXImageList& images, TDXWaveList& sounds, std::span<const StoredImage> stored_images,
                      std::span<const StoredSound> stored_sounds);

}  // namespace jizdavo
