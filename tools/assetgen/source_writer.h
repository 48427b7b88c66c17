#pragma once
// Writes the generated C++ source that holds the catalogue's tables and bytes.

#include <string>
#include <vector>

#include "catalog.h"
#include "program_files.h"

namespace jizdavo::assetgen {

std::string GenerateCatalogSource(const std::vector<ImageAsset>& images, const std::vector<SoundAsset>& sounds,
                                  const std::vector<ProgramFile>& widget_pictures);

}  // namespace jizdavo::assetgen
