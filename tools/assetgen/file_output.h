#pragma once
// Writing generated files, creating their folders; a failure stops the generator with a message.

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace jizdavo::assetgen {

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
void WriteFile(const std::filesystem::path& path, std::string_view text);

}  // namespace jizdavo::assetgen
