#include <dirent.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/bitmap_file.h"
#include "engine/ddraw.h"
#include "tests/bmp_builder.h"

namespace {

struct Color {
  uint8_t r, g, b;
};

uint16_t word565(Color c) { return RGB16Bit565(c.r, c.g, c.b); }

// Stored rows (blue, green, red) of a picture given top row first.
std::vector<uint8_t> stored_rows(const std::vector<std::vector<Color>>& top_down, bool bottom_up) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < top_down.size(); ++i) {
    const auto& row = top_down[bottom_up ? top_down.size() - 1 - i : i];
    for (Color c : row) out.insert(out.end(), {c.b, c.g, c.r});
  }
  return out;
}

std::string write_temp(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = testing::TempDir() + name;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return path;
}

int open_files() {
  int n = 0;
  if (DIR* d = opendir("/proc/self/fd")) {
    while (readdir(d)) ++n;
    closedir(d);
  }
  return n;
}

std::vector<uint16_t> words(const BITMAP_FILE_TAG& b) {
  const auto* p = reinterpret_cast<const uint16_t*>(b.pixels);
  return std::vector<uint16_t>(p, p + size_t(b.info_header.biWidth) * b.info_header.biHeight);
}

class BitmapFile : public testing::Test {
 protected:
  void SetUp() override { saved_format_ = dd_pixel_format; }
  void TearDown() override {
    Unload_Bitmap_File(&bitmap_);
    dd_pixel_format = saved_format_;
  }
  BITMAP_FILE_TAG bitmap_{};
  int saved_format_ = 16;
};

// Four black pixels stored first (the bottom row), then red, green, blue, white.
std::vector<uint8_t> four_by_two() {
  testbmp::Layout s;
  s.rows = stored_rows({{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}},
                        {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
                       true);
  return testbmp::build(s);
}

TEST_F(BitmapFile, Converts24BitPixelsToTheDisplayLayout) {
  struct Case {
    int format;
    std::vector<uint16_t> expected;
  };
  const Case cases[] = {
      {16, {0xF800, 0x07E0, 0x001F, 0xFFFF, 0, 0, 0, 0}},
      {15, {0x7C00, 0x03E0, 0x001F, 0x7FFF, 0, 0, 0, 0}},
      {32, {0, 0, 0, 0, 0, 0, 0, 0}},
  };
  const std::string path = write_temp("four_by_two.bmp", four_by_two());
  for (const Case& c : cases) {
    dd_pixel_format = c.format;
    ASSERT_EQ(Load_Bitmap_File(&bitmap_, path.c_str()), 1) << c.format;
    EXPECT_EQ(bitmap_.info_header.biBitCount, 16);
    EXPECT_EQ(bitmap_.info_header.biSizeImage, 24u);
    EXPECT_EQ(words(bitmap_), c.expected) << "format " << c.format;
  }
}

TEST_F(BitmapFile, EightBitFileKeepsIndicesAndSwapsThePalette) {
  testbmp::Layout s;
  s.bits = 8;
  s.palette.assign(1024, 0);
  s.palette[0] = 10, s.palette[1] = 20, s.palette[2] = 30;
  s.palette[1020] = 1, s.palette[1021] = 2, s.palette[1022] = 3;
  s.rows = {1, 2, 3, 4, 5, 6, 7, 8};  // bottom row first
  ASSERT_EQ(Load_Bitmap_File(&bitmap_, write_temp("eight.bmp", testbmp::build(s)).c_str()), 1);
  const plat::PaletteEntry& first = bitmap_.file_palette[0];
  EXPECT_EQ(first.red, 30);
  EXPECT_EQ(first.green, 20);
  EXPECT_EQ(first.blue, 10);
  EXPECT_EQ(first.flags, PC_NOCOLLAPSE);
  EXPECT_EQ(bitmap_.file_palette[255].red, 3);
  EXPECT_EQ(bitmap_.info_header.biBitCount, 8);
  EXPECT_EQ(std::vector<uint8_t>(bitmap_.pixels, bitmap_.pixels + 8),
            (std::vector<uint8_t>{5, 6, 7, 8, 1, 2, 3, 4}));
}

TEST_F(BitmapFile, SixteenBitWordsStayAsStored) {
  dd_pixel_format = 15;
  testbmp::Layout s;
  s.bits = 16;
  s.width = 2;
  s.rows = {0x34, 0x12, 0x78, 0x56, 0xBC, 0x9A, 0xF0, 0xDE};
  const auto file = testbmp::build(s);
  ASSERT_EQ(Load_Bitmap_Bytes(&bitmap_, file.data(), file.size()), 1);
  EXPECT_EQ(words(bitmap_), (std::vector<uint16_t>{0x9ABC, 0xDEF0, 0x1234, 0x5678}));
}

TEST_F(BitmapFile, RefusedFilesLeaveThePixelsAndCloseTheFile) {
  auto layout = [](auto change) {
    testbmp::Layout s;
    s.rows = std::vector<uint8_t>(24, 7);
    change(s);
    return testbmp::build(s);
  };
  auto not_bm = layout([](testbmp::Layout&) {});
  not_bm[0] = 'P';
  auto truncated = layout([](testbmp::Layout&) {});
  truncated.resize(40);
  auto long_header = layout([](testbmp::Layout& s) { s.info_size = 4000; });
  long_header.resize(200);
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
  };
  const Case cases[] = {
      {"not BM", not_bm},
      {"4-bit", layout([](testbmp::Layout& s) { s.bits = 4; })},
      {"32-bit", layout([](testbmp::Layout& s) { s.bits = 32; })},
      {"run-length compressed", layout([](testbmp::Layout& s) { s.bits = 8, s.compression = 1; })},
      {"compressed 24-bit", layout([](testbmp::Layout& s) { s.compression = 4; })},
      {"zero width", layout([](testbmp::Layout& s) { s.width = 0; })},
      {"negative width", layout([](testbmp::Layout& s) { s.width = -4; })},
      {"zero height", layout([](testbmp::Layout& s) { s.height = 0; })},
      {"enormous", layout([](testbmp::Layout& s) { s.width = s.height = 100000; })},
      {"core header", layout([](testbmp::Layout& s) { s.info_size = 12; })},
      {"header past the end", long_header},
      {"shorter than the headers", truncated},
  };
  uint8_t* held = static_cast<uint8_t*>(std::malloc(16));
  bitmap_.pixels = held;
  const int files_before = open_files();
  for (const Case& c : cases) {
    const std::string path = write_temp("refused.bmp", c.file);
    EXPECT_EQ(Load_Bitmap_File(&bitmap_, path.c_str()), 0) << c.name;
    EXPECT_EQ(bitmap_.pixels, held) << c.name;
  }
  EXPECT_EQ(open_files(), files_before);
  EXPECT_EQ(Load_Bitmap_File(&bitmap_, "no such picture.bmp"), 0);
  EXPECT_EQ(Load_Bitmap_File(nullptr, "x"), 0);
  EXPECT_EQ(bitmap_.pixels, held);
}

// Files that common tools write but a reader without these mends gets wrong.
TEST_F(BitmapFile, StandardVariantsLoadTheRightPixels) {
  const std::vector<std::vector<Color>> picture = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
                                                   {{255, 255, 255}, {40, 80, 120}, {8, 8, 8}}};
  std::vector<uint16_t> expected;
  for (const auto& row : picture)
    for (Color c : row) expected.push_back(word565(c));
  auto base = [&](auto change) {
    testbmp::Layout s;
    s.width = 3;  // rows of 9 bytes, padded to 12
    s.rows = stored_rows(picture, true);
    change(s);
    return testbmp::build(s);
  };
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
  };
  const Case cases[] = {
      {"padded rows", base([](testbmp::Layout&) {})},
      {"pixels after a gap", base([](testbmp::Layout& s) { s.gap = 10; })},
      {"124-byte info header", base([](testbmp::Layout& s) { s.info_size = 124; })},
      {"biSizeImage 0", base([](testbmp::Layout& s) { s.size_image = 0; })},
      {"biSizeImage too small", base([](testbmp::Layout& s) { s.size_image = 5; })},
      {"biSizeImage too large", base([](testbmp::Layout& s) { s.size_image = 1 << 30; })},
      {"top-down rows", base([&](testbmp::Layout& s) {
         s.height = -2;
         s.rows = stored_rows(picture, false);
       })},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Load_Bitmap_Bytes(&bitmap_, c.file.data(), c.file.size()), 1) << c.name;
    EXPECT_EQ(bitmap_.info_header.biWidth, 3) << c.name;
    EXPECT_EQ(bitmap_.info_header.biHeight, 2) << c.name;
    EXPECT_EQ(words(bitmap_), expected) << c.name;
  }
}

TEST_F(BitmapFile, MissingRowsOfAShortFileStayBlack) {
  auto file = four_by_two();
  file.resize(file.size() - 12);  // the top row, stored last, is cut off
  ASSERT_EQ(Load_Bitmap_Bytes(&bitmap_, file.data(), file.size()), 1);
  EXPECT_EQ(words(bitmap_), (std::vector<uint16_t>(8, 0)));

  file = four_by_two();
  file.resize(file.size() - 4);  // half of the top row survives
  ASSERT_EQ(Load_Bitmap_Bytes(&bitmap_, file.data(), file.size()), 1);
  EXPECT_EQ(words(bitmap_), (std::vector<uint16_t>{0xF800, 0x07E0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(BitmapFile, ShortColourTableIsReadUpToThePixels) {
  testbmp::Layout s;
  s.bits = 8;
  s.palette_entries = 16;
  s.palette.assign(64, 0);
  s.palette[60] = 9, s.palette[61] = 8, s.palette[62] = 7;
  s.rows = {15, 0, 1, 2, 3, 4, 5, 6};
  const auto file = testbmp::build(s);
  ASSERT_EQ(Load_Bitmap_Bytes(&bitmap_, file.data(), file.size()), 1);
  EXPECT_EQ(bitmap_.file_palette[15].red, 7);
  EXPECT_EQ(bitmap_.file_palette[15].blue, 9);
  EXPECT_EQ(bitmap_.file_palette[16].red, 0);
  EXPECT_EQ(std::vector<uint8_t>(bitmap_.pixels, bitmap_.pixels + 8),
            (std::vector<uint8_t>{3, 4, 5, 6, 15, 0, 1, 2}));
}

size_t heap_in_use() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

TEST_F(BitmapFile, LoadingAgainReleasesTheOldBuffer) {
  for (uint16_t bits : {8, 16, 24}) {
    testbmp::Layout s;
    s.bits = bits;
    s.width = s.height = 512;
    s.rows.assign(size_t(512) * 512 * bits / 8, 0x5A);
    const auto file = testbmp::build(s);
    ASSERT_EQ(Load_Bitmap_Bytes(&bitmap_, file.data(), file.size()), 1);
    const size_t after_first = heap_in_use();
    for (int i = 0; i < 8; ++i) ASSERT_EQ(Load_Bitmap_Bytes(&bitmap_, file.data(), file.size()), 1);
    EXPECT_LT(heap_in_use(), after_first + 64 * 1024) << bits << "-bit";
  }
}

TEST(FlipBitmap, ReversesRows) {
  std::vector<uint8_t> one = {1, 2};
  EXPECT_EQ(Flip_Bitmap(one.data(), 2, 1), 1);
  EXPECT_EQ(one, (std::vector<uint8_t>{1, 2}));
  std::vector<uint8_t> three = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(Flip_Bitmap(three.data(), 2, 3), 1);
  EXPECT_EQ(three, (std::vector<uint8_t>{5, 6, 3, 4, 1, 2}));
  EXPECT_EQ(Flip_Bitmap(nullptr, 2, 3), 0);
}

TEST(UnloadBitmapFile, EmptiesTheRecordAndMayBeRepeated) {
  BITMAP_FILE_TAG b{};
  b.pixels = static_cast<uint8_t*>(std::malloc(4));
  EXPECT_EQ(Unload_Bitmap_File(&b), 1);
  EXPECT_EQ(b.pixels, nullptr);
  EXPECT_EQ(Unload_Bitmap_File(&b), 1);
  EXPECT_EQ(Unload_Bitmap_File(nullptr), 1);
}

}  // namespace
