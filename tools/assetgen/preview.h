#pragma once
// A folder for people to look at and listen to: every stored picture as <Name>.bmp, every stored
// sound as <Name>.wav, and contact-sheet.bmp with all pictures enlarged and labelled.

#include <filesystem>
#include <vector>

#include "catalog.h"

namespace jizdavo::assetgen {

void WritePreview(const std::filesystem::path& folder, const std::vector<ImageAsset>& images,
                  const std::vector<SoundAsset>& sounds);
Raster MakeContactSheet(const std::vector<ImageAsset>& images);

}  // namespace jizdavo::assetgen
