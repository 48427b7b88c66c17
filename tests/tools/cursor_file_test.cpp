// The pointer file reader, on cursor files built here, and on the one the generator writes.
#include "platform/pictures/cursor_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/error.h"
#include "platform/plain_file.h"

namespace jizdavo {
namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& out, uint32_t v, int size) {
  for (int i = 0; i < size; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A cursor of `w` x `h` at `bits` per pixel: colour rows from `rows` (bottom-up, as stored), the
// palette and the mask rows (bottom-up) given by the caller.
Bytes Cursor(int w, int h, int bits, int hot_x, int hot_y, const Bytes& palette, const Bytes& rows,
             const Bytes& mask) {
  Bytes out;
  Put(out, 0, 2), Put(out, 2, 2), Put(out, 1, 2);
  out.push_back(static_cast<uint8_t>(w)), out.push_back(static_cast<uint8_t>(h)), Put(out, 0, 2);
  Put(out, hot_x, 2), Put(out, hot_y, 2);
  Put(out, static_cast<uint32_t>(40 + palette.size() + rows.size() + mask.size()), 4);
  Put(out, 22, 4);
  Put(out, 40, 4), Put(out, w, 4), Put(out, 2 * h, 4), Put(out, 1, 2), Put(out, bits, 2);
  for (int i = 0; i < 6; ++i) Put(out, 0, 4);
  out.insert(out.end(), palette.begin(), palette.end());
  out.insert(out.end(), rows.begin(), rows.end());
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

// 2 x 2, 32 bits: bottom row red (opaque) and clear; top row green and half-transparent blue.
Bytes TwoByTwo32() {
  Bytes rows = {0, 0, 255, 255, 0, 0, 0, 0, 0, 255, 0, 255, 255, 0, 0, 128};
  Bytes mask(8, 0);
  return Cursor(2, 2, 32, 1, 0, {}, rows, mask);
}

TEST(CursorFile, ReadsThirtyTwoBitPixelsTopRowFirstWithTheirAlphaAndHotSpot) {
  CursorImage c = DecodeCursor(TwoByTwo32());
  EXPECT_EQ(c.width, 2);
  EXPECT_EQ(c.height, 2);
  EXPECT_EQ(c.hot_x, 1);
  EXPECT_EQ(c.hot_y, 0);
  EXPECT_EQ(c.argb, (std::vector<uint32_t>{0xFF00FF00, 0x800000FF, 0xFFFF0000, 0x00000000}));
}

TEST(CursorFile, WithoutAlphaTheMaskSaysWhatIsSeeThrough) {
  // 1 bit per pixel, palette black and white; 2 x 1: white then black; the mask clears the black one.
  Bytes palette = {0, 0, 0, 0, 255, 255, 255, 0};
  Bytes rows = {0x80, 0, 0, 0};
  Bytes mask = {0x40, 0, 0, 0};
  CursorImage c = DecodeCursor(Cursor(2, 1, 1, 0, 0, palette, rows, mask));
  EXPECT_EQ(c.argb, (std::vector<uint32_t>{0xFFFFFFFF, 0x00000000}));
}

TEST(CursorFile, RefusesWhatIsNotACursorItCanRead) {
  Bytes good = TwoByTwo32();
  struct Case {
    const char* what;
    Bytes bytes;
  };
  std::vector<Case> cases = {{"empty", {}}, {"cut short", Bytes(good.begin(), good.end() - 1)}};
  // One byte of the good file changed: the header (at 0), the entry (at 6) or the image (at 22).
  const struct {
    const char* what;
    size_t at;
    uint8_t value;
  } patches[] = {{"an icon file", 2, 1},        {"a PNG image", 22, 0x89}, {"image beyond the file", 18 + 3, 0x7F},
                 {"hot spot outside", 10, 2}, {"compressed", 22 + 16, 1}, {"too wide", 22 + 5, 0x10}};
  for (const auto& patch : patches) {
    Bytes bytes = good;
    bytes[patch.at] = patch.value;
    cases.push_back({patch.what, bytes});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_THROW(DecodeCursor(c.bytes), Error);
  }
}

// A missing file, and one past the bound of asset files, which is refused before it is decoded.
TEST(CursorFile, AMissingOrOversizedFileIsNotDecoded) {
  const std::filesystem::path big = std::filesystem::temp_directory_path() / "jizdavo-big-cursor.cur";
  const struct {
    std::string path;
    uintmax_t size;
    std::string error;
  } cases[] = {{"/nonexistent/Cursor.cur", 0, "Cannot open file /nonexistent/Cursor.cur"},
               {big.string(), kPictureFileLimit + 1, big.string() + " is larger than 8 MB"},
               {big.string(), kPictureFileLimit, "Cursor is invalid"}};
  for (const auto& c : cases) {
    if (c.size > 0) {
      std::ofstream(c.path, std::ios::binary).put(1);
      std::filesystem::resize_file(c.path, c.size);
    }
    try {
      LoadCursorFile(c.path);
      ADD_FAILURE() << c.path;
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), c.error);
    }
  }
  std::filesystem::remove(big);
}

}  // namespace
}  // namespace jizdavo
