#pragma once
// Test helpers for the files beside the program: a fresh folder per test, and a file-size limit that
// makes writes fail even when the tests run as root.

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "files/stored_file.h"
#include "platform/error.h"

namespace jizdavo::testing {

// A new empty folder, removed with everything in it at the end of the test.
class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = (std::filesystem::temp_directory_path() / "jizdavo-files-XXXXXX").string();
    ASSERT_NE(::mkdtemp(name.data()), nullptr);
    folder_ = name;
    TakePlayerMessages();  // left by an earlier test
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }

  std::filesystem::path File(std::string_view name) const { return folder_ / name; }

  void WriteBytes(std::string_view name, std::string_view bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
  }

  std::string ReadBytes(std::string_view name) const {
    std::ifstream in(File(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::filesystem::path folder_;
};

// "ok" when `write` succeeds, else the message of the Error it throws: what the game would report.
template <typename Write>
std::string Attempt(Write&& write) {
  try {
    write();
    return "ok";
  } catch (const Error& error) {
    return error.what();
  }
}

// While alive, no file of this process may grow beyond `bytes`: writes past it fail with EFBIG.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    savedSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, savedSignal_);
  }

 private:
  rlimit saved_{};
  void (*savedSignal_)(int) = nullptr;
};

}  // namespace jizdavo::testing
