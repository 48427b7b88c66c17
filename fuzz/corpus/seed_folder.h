#pragma once
// One fuzz target's seed folder, emptied when opened. Every seed is first read back by the reader it is
// meant for, so a seed that stops at the readers' first checks fails the run instead of wasting the fuzzer.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace jizdavo::fuzzcorpus {

class SeedFolder {
 public:
  SeedFolder(const std::filesystem::path& corpus, const std::string& target);

  const std::filesystem::path& Path() const { return path_; }
  void Write(const std::string& name, std::span<const uint8_t> bytes) const;
  void Write(const std::string& name, std::string_view text) const;

 private:
  std::filesystem::path path_;
};

// Raises an Error naming `what` unless `ok`.
void Require(bool ok, const std::string& what);

// The whole file; raises an Error when it cannot be read.
std::string ReadWhole(const std::filesystem::path& file);

}  // namespace jizdavo::fuzzcorpus
