#include "seed_folder.h"

#include <fstream>

#include "files/data_folder.h"
#include "platform/error.h"

namespace jizdavo::fuzzcorpus {

SeedFolder::SeedFolder(const std::filesystem::path& corpus, const std::string& target) : path_(corpus / target) {
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

void SeedFolder::Write(const std::string& name, std::span<const uint8_t> bytes) const {
  Write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void SeedFolder::Write(const std::string& name, std::string_view text) const {
  std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  Require(out.good(), "writing " + (path_ / name).string());
}

void Require(bool ok, const std::string& what) {
  if (!ok) throw Error("Seed check failed: " + what);
}

std::string ReadWhole(const std::filesystem::path& file) {
  std::optional<std::string> bytes = ReadFile(file);
  Require(bytes.has_value(), "reading " + file.string());
  return *bytes;
}

}  // namespace jizdavo::fuzzcorpus
