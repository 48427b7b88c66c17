#pragma once
// Faces found among the font files bundled with the program, for a home without the system's font
// configuration (the browser, Windows): the same files the desktop finds, copied into one folder.

#include <filesystem>
#include <string>

#include "platform/text/font_resolver.h"

namespace jizdavo {

// By the same names, substitutes and bold and italic rules as the desktop; a face whose file is
// missing from `folder` is passed over.
FontFile ResolveBundledFont(const std::filesystem::path& folder, const std::string& name, bool bold,
                            bool italic);

}  // namespace jizdavo
