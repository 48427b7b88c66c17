#pragma once
// Pictures for the controls: reading the "BM" files the program keeps under Graphics/, and copies.

#include <filesystem>

namespace jizdavo {

class TDIB;

// Reads the file as ReadAssetFile does, bounded by kPictureFileLimit, raising its errors, and the
// decoder's error when its bytes are not a picture; `picture` is left as it was in every case. Returns
// false when the picture's data ended early: what it held is shown, the rest in its first palette
// colour.
bool LoadPictureFile(const std::filesystem::path& path, TDIB& picture);
// `to` becomes a copy of `from` (size, depth and pixels).
void CopyPicture(const TDIB& from, TDIB& to);

}  // namespace jizdavo
