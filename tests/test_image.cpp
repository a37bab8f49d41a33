#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "engine/bitmap_file.h"
#include "engine/image.h"
#include "engine/scan.h"
#include "engine_fixture.h"

namespace {

// A loaded bitmap file held in a vector sized exactly to its pixel array, so
// a read past it is a read past the allocation. 16-bit pixels hold their own
// position (y * 256 + x); 8-bit pixels a pattern that differs between
// neighbours in both directions.
struct File {
  BITMAP_FILE_TAG tag{};
  std::vector<uint8_t> bytes;
  File(int width, int height, int bits) : bytes(size_t(width) * height * (bits / 8)) {
    tag.info_header.biWidth = width;
    tag.info_header.biHeight = height;
    tag.info_header.biBitCount = uint16_t(bits);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const size_t i = size_t(y) * width + x;
        if (bits == 8)
          bytes[i] = uint8_t(x * 7 + y * 31 + 1);
        else
          reinterpret_cast<uint16_t*>(bytes.data())[i] = uint16_t(y * 256 + x);
      }
    tag.pixels = bytes.data();
  }
  template <typename Pixel>
  Pixel at(int x, int y) const {
    return reinterpret_cast<const Pixel*>(bytes.data())[size_t(y) * tag.info_header.biWidth + x];
  }
};

template <typename Pixel>
Pixel pixel(const BITMAP_IMAGE_TYP& image, int x, int y) {
  return reinterpret_cast<const Pixel*>(image.pixels)[size_t(y) * image.width + x];
}

template <typename Pixel>
void set_pixel(BITMAP_IMAGE_TYP& image, int x, int y, Pixel value) {
  reinterpret_cast<Pixel*>(image.pixels)[size_t(y) * image.width + x] = value;
}

// An image owned by the test, destroyed at the end of the scope.
struct Image {
  BITMAP_IMAGE_TYP rec{};
  Image(int x, int y, int width, int height, int bpp) {
    EXPECT_EQ(Create_Bitmap(&rec, x, y, width, height, bpp), 1);
  }
  ~Image() {
    if (rec.pixels) Destroy_Bitmap(&rec);
  }
  std::vector<uint8_t> snapshot() const { return {rec.pixels, rec.pixels + rec.num_bytes}; }
};

template <typename Pixel>
int load(BITMAP_IMAGE_TYP* image, BITMAP_FILE_TAG* file, int cx, int cy, int mode) {
  return sizeof(Pixel) == 1 ? Load_Image_Bitmap(image, file, cx, cy, mode)
                            : Load_Image_Bitmap16(image, file, cx, cy, mode);
}

template <typename Pixel>
int draw(BITMAP_IMAGE_TYP* image, uint8_t* buffer, int pitch, int transparent) {
  return sizeof(Pixel) == 1 ? Draw_Bitmap(image, buffer, pitch, transparent)
                            : Draw_Bitmap16(image, buffer, pitch, transparent);
}

TEST(CreateBitmap, GivesAZeroedBlockAndDestroyEmptiesTheRecord) {
  BITMAP_IMAGE_TYP image;
  std::memset(&image, 0x5A, sizeof image);
  image.pixels = nullptr;
  ASSERT_EQ(Create_Bitmap(&image, 3, 4, 5, 6, 16), 1);
  EXPECT_EQ(image.state, 1);
  EXPECT_EQ(image.attr, 0);
  EXPECT_EQ(image.num_bytes, 60);
  EXPECT_EQ(std::vector<uint8_t>(image.pixels, image.pixels + 60), std::vector<uint8_t>(60, 0));
  EXPECT_EQ(Destroy_Bitmap(&image), 1);
  const BITMAP_IMAGE_TYP empty{};
  EXPECT_EQ(std::memcmp(&image, &empty, sizeof image), 0);
  EXPECT_EQ(Destroy_Bitmap(&image), 0);  // already destroyed
  EXPECT_EQ(Destroy_Bitmap(nullptr), 0);
}

TEST(CreateBitmap, RefusesUnusableSizesAndLeavesTheRecordAlone) {
  struct Case {
    int width, height, bpp;
  } const cases[] = {{0, 4, 8}, {4, 0, 8}, {-4, 4, 8}, {4, 4, 12}, {4, 4, 0}, {INT_MAX, 4, 16}};
  for (const Case& c : cases) {
    BITMAP_IMAGE_TYP image{};
    image.state = 7;
    EXPECT_EQ(Create_Bitmap(&image, 0, 0, c.width, c.height, c.bpp), 0)
        << c.width << "x" << c.height << "@" << c.bpp;
    EXPECT_EQ(image.state, 7);
    EXPECT_EQ(image.pixels, nullptr);
  }
  EXPECT_EQ(Create_Bitmap(nullptr, 0, 0, 4, 4, 8), 0);
}

template <typename Pixel>
class Twins : public ::testing::Test {
 protected:
  static constexpr int kBpp = int(sizeof(Pixel)) * 8;
};
using PixelTypes = ::testing::Types<uint8_t, uint16_t>;
struct PixelNames {
  template <typename Pixel>
  static std::string GetName(int) {
    return sizeof(Pixel) == 1 ? "EightBit" : "SixteenBit";
  }
};
TYPED_TEST_SUITE(Twins, PixelTypes, PixelNames);

TYPED_TEST(Twins, CutsTheCellOrTheAbsoluteBlock) {
  using Pixel = TypeParam;
  File file(200, 100, this->kBpp);
  struct Case {
    int w, h, cx, cy, mode, x, y;
  } const cases[] = {
      {32, 32, 2, 1, 0, 67, 34},    // cells with one-pixel lines around them
      {32, 32, 0, 0, 0, 1, 1},      // the line before the first cell
      {5, 3, 3, 2, 0, 19, 9},       // width and height count separately
      {5, 3, 3, 2, 1, 3, 2},        // absolute: the pixel itself
      {5, 3, 195, 97, 7, 195, 97},  // any non-zero mode; touching the corner
      {32, 32, 5, 2, 0, 166, 67},   // the last whole cell in both directions
  };
  for (const Case& c : cases) {
    Image image(0, 0, c.w, c.h, this->kBpp);
    image.rec.attr = 1;
    ASSERT_EQ(load<Pixel>(&image.rec, &file.tag, c.cx, c.cy, c.mode), 1) << c.cx << "," << c.cy;
    EXPECT_EQ(image.rec.attr, 1 | BITMAP_IMAGE_LOADED);
    bool same = true;
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x)
        same = same && pixel<Pixel>(image.rec, x, y) == file.at<Pixel>(c.x + x, c.y + y);
    EXPECT_TRUE(same) << "cell " << c.cx << "," << c.cy << " mode " << c.mode;
  }
}

TYPED_TEST(Twins, RefusesBlocksOutsideTheFile) {
  using Pixel = TypeParam;
  File file(200, 100, this->kBpp);
  struct Case {
    int w, h, cx, cy, mode;
  } const cases[] = {
      {32, 32, 6, 0, 0},   // column 6 would end at 231
      {32, 32, 0, 3, 0},   // row 3 would end at 132
      {32, 32, -1, 0, 0},  // left of the file
      {5, 3, 196, 0, 1},   // one pixel over the right edge: would wrap a row
      {5, 3, 0, 98, 1},    // one row over the bottom
      {5, 3, -1, 5, 1},      {5, 3, 5, -1, 1},
      {5, 3, INT_MAX, 0, 0},  // cell arithmetic that overflows 32 bits
      {5, 3, 0, INT_MIN, 0},
  };
  for (const Case& c : cases) {
    Image image(0, 0, c.w, c.h, this->kBpp);
    EXPECT_EQ(load<Pixel>(&image.rec, &file.tag, c.cx, c.cy, c.mode), 0) << c.cx << "," << c.cy;
    EXPECT_EQ(image.rec.attr, 0);
  }
  Image image(0, 0, 4, 4, this->kBpp);
  EXPECT_EQ(load<Pixel>(nullptr, &file.tag, 0, 0, 0), 0);
  EXPECT_EQ(load<Pixel>(&image.rec, nullptr, 0, 0, 0), 0);
  file.tag.pixels = nullptr;  // unloaded
  EXPECT_EQ(load<Pixel>(&image.rec, &file.tag, 0, 0, 0), 0);
}

TEST(LoadImageBitmap, RefusesDepthsThatWouldReadOrWritePastABlock) {
  // 16-bit cut into an 8-bit image: the image's block is half the size.
  File wide(64, 64, 16);
  Image small(0, 0, 8, 8, 8);
  EXPECT_EQ(Load_Image_Bitmap16(&small.rec, &wide.tag, 0, 0, 0), 0);
  // 16-bit cut from the lower half of an 8-bit file: past its pixel bytes.
  File narrow(64, 64, 8);
  Image big(0, 0, 8, 8, 16);
  EXPECT_EQ(Load_Image_Bitmap16(&big.rec, &narrow.tag, 0, 40, 1), 0);
  // A record claiming a depth the reader never keeps.
  narrow.tag.info_header.biBitCount = 24;
  Image byte(0, 0, 8, 8, 8);
  EXPECT_EQ(Load_Image_Bitmap(&byte.rec, &narrow.tag, 0, 0, 0), 0);
}

// A canvas painted with `background`, an image with a hole (value 0) at
// (1, 0) and ones elsewhere but for a 3 at its bottom-right pixel.
template <typename Pixel>
struct DrawScene {
  static constexpr Pixel kBackground = Pixel(0xA5);
  Canvas<Pixel> canvas{10, 8};
  Image image{4, 3, 3, 2, sizeof(Pixel) * 8};
  DrawScene() {
    for (int y = 0; y < canvas.height; ++y)
      for (int x = 0; x < canvas.width; ++x)
        reinterpret_cast<Pixel*>(canvas.buffer() + size_t(y) * canvas.pitch)[x] = kBackground;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) set_pixel<Pixel>(image.rec, x, y, Pixel(1));
    set_pixel<Pixel>(image.rec, 1, 0, Pixel(0));
    set_pixel<Pixel>(image.rec, 2, 1, Pixel(3));
    image.rec.attr |= BITMAP_IMAGE_LOADED;
  }
};

TYPED_TEST(Twins, DrawsOpaqueOrLeavesOutZerosAndNothingElse) {
  using Pixel = TypeParam;
  for (int transparent : {0, 1}) {
    DrawScene<Pixel> s;
    set_clip(0, 0, 1, 1);  // no clipping: the clip rectangle plays no part
    ASSERT_EQ(draw<Pixel>(&s.image.rec, s.canvas.buffer(), s.canvas.pitch, transparent), 1);
    for (int y = 0; y < s.canvas.height; ++y)
      for (int x = 0; x < s.canvas.width; ++x) {
        Pixel want = s.kBackground;
        if (x >= 4 && x < 7 && y >= 3 && y < 5) {
          const Pixel source = pixel<Pixel>(s.image.rec, x - 4, y - 3);
          want = transparent && source == 0 ? s.kBackground : source;
        }
        EXPECT_EQ(s.canvas.at(x, y), want)
            << "transparent " << transparent << " at " << x << "," << y;
      }
  }
}

TYPED_TEST(Twins, RefusesImagesNeverLoadedOrPlacedBeforeTheMemory) {
  using Pixel = TypeParam;
  for (int transparent : {0, 1}) {
    DrawScene<Pixel> s;
    const std::vector<uint8_t> before = s.canvas.bytes;
    s.image.rec.attr = 0;  // created but never cut from a file
    EXPECT_EQ(draw<Pixel>(&s.image.rec, s.canvas.buffer(), s.canvas.pitch, transparent), 0);
    s.image.rec.attr = BITMAP_IMAGE_LOADED;
    s.image.rec.x = -1;
    EXPECT_EQ(draw<Pixel>(&s.image.rec, s.canvas.buffer(), s.canvas.pitch, transparent), 0);
    s.image.rec.x = 0, s.image.rec.y = -1;
    EXPECT_EQ(draw<Pixel>(&s.image.rec, s.canvas.buffer(), s.canvas.pitch, transparent), 0);
    EXPECT_EQ(s.canvas.bytes, before);
    EXPECT_EQ(draw<Pixel>(nullptr, s.canvas.buffer(), s.canvas.pitch, transparent), 0);
  }
}

TEST(DrawBitmap16, RefusesAnEightBitImageAndStepsOddPitchesDownToEven) {
  DrawScene<uint8_t> eight;
  Canvas<uint16_t> canvas(10, 8);
  const std::vector<uint8_t> before = canvas.bytes;
  EXPECT_EQ(Draw_Bitmap16(&eight.image.rec, canvas.buffer(), canvas.pitch, 0), 0);
  EXPECT_EQ(canvas.bytes, before);

  // Pitch 21 bytes: rows 20 bytes (10 words) apart.
  std::vector<uint8_t> memory(21 * 8, 0);
  Image image(2, 1, 2, 3, 16);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) set_pixel<uint16_t>(image.rec, x, y, uint16_t(0x100 * y + x + 1));
  image.rec.attr = BITMAP_IMAGE_LOADED;
  ASSERT_EQ(Draw_Bitmap16(&image.rec, memory.data(), 21, 0), 1);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) {
      uint16_t word;
      std::memcpy(&word, memory.data() + (1 + y) * 20 + (2 + x) * 2, 2);
      EXPECT_EQ(word, 0x100 * y + x + 1) << x << "," << y;
    }
}

TEST(DrawBitmap, AnAllZeroImageIsInvisibleTransparentAndBlanksOpaque) {
  Canvas<uint8_t> canvas(6, 6);
  std::fill(canvas.bytes.begin(), canvas.bytes.end(), 9);
  Image image(1, 1, 4, 4, 8);
  image.rec.attr = BITMAP_IMAGE_LOADED;
  ASSERT_EQ(Draw_Bitmap(&image.rec, canvas.buffer(), canvas.pitch, 1), 1);
  EXPECT_EQ(canvas.count(9), 36);
  ASSERT_EQ(Draw_Bitmap(&image.rec, canvas.buffer(), canvas.pitch, 0), 1);
  EXPECT_EQ(canvas.count(0), 16);
  EXPECT_EQ(canvas.at(0, 0), 9);
  EXPECT_EQ(canvas.at(5, 5), 9);
}

// Two 16-bit images whose pixels name their image and position.
struct CopyScene {
  Image source{0, 0, 6, 5, 16}, target{0, 0, 8, 4, 16};
  CopyScene() {
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x)
        set_pixel<uint16_t>(source.rec, x, y, uint16_t(0x1000 + 16 * y + x));
  }
};

TEST(CopyBitmap, CopiesARectangleAtTheSourceDepth) {
  CopyScene s;
  ASSERT_EQ(Copy_Bitmap(&s.target.rec, 5, 1, &s.source.rec, 2, 2, 3, 3), 1);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 5 && y >= 1;
      const uint16_t want = inside ? uint16_t(0x1000 + 16 * (y + 1) + (x - 3)) : 0;
      EXPECT_EQ(pixel<uint16_t>(s.target.rec, x, y), want) << x << "," << y;
    }
}

TEST(CopyBitmap, RefusesRectanglesOutsideEitherImage) {
  struct Case {
    int dx, dy, sx, sy, w, h;
  } const cases[] = {
      {6, 0, 0, 0, 3, 1},  // one past the target's right edge
      {0, 2, 0, 0, 1, 3},  // past the target's bottom
      {0, 0, 4, 0, 3, 1},  // past the source's right edge
      {0, 0, 0, 3, 1, 3},  // past the source's bottom
      {-1, 0, 0, 0, 1, 1}, {0, 0, 0, -1, 1, 1},
      {0, 0, 0, 0, -1, 1}, {0, 0, INT_MAX, 0, 2, 1},  // end overflowing 32 bits
  };
  for (const Case& c : cases) {
    CopyScene s;
    const std::vector<uint8_t> before = s.target.snapshot();
    EXPECT_EQ(Copy_Bitmap(&s.target.rec, c.dx, c.dy, &s.source.rec, c.sx, c.sy, c.w, c.h), 0)
        << c.dx << "," << c.dy << " from " << c.sx << "," << c.sy;
    EXPECT_EQ(s.target.snapshot(), before);
  }
  CopyScene s;
  EXPECT_EQ(Copy_Bitmap(nullptr, 0, 0, &s.source.rec, 0, 0, 1, 1), 0);
  EXPECT_EQ(Copy_Bitmap(&s.target.rec, 0, 0, nullptr, 0, 0, 1, 1), 0);
  EXPECT_EQ(Copy_Bitmap(&s.target.rec, 8, 4, &s.source.rec, 6, 5, 0, 0), 1);  // empty: fits
  // A 16-bit source into an 8-bit target of the same size: its block is too small.
  Image bytes(0, 0, 6, 5, 8);
  EXPECT_EQ(Copy_Bitmap(&bytes.rec, 0, 0, &s.source.rec, 0, 0, 6, 5), 0);
}

TEST(CopyBitmap, OverlappingCopyWithinOneImageKeepsTheSource) {
  CopyScene s;
  ASSERT_EQ(Copy_Bitmap(&s.source.rec, 1, 1, &s.source.rec, 0, 0, 5, 4), 1);
  for (int y = 1; y < 5; ++y)
    for (int x = 1; x < 6; ++x)
      EXPECT_EQ(pixel<uint16_t>(s.source.rec, x, y), 0x1000 + 16 * (y - 1) + (x - 1))
          << x << "," << y;
}

TYPED_TEST(Twins, ScrollRotatesEveryRow) {
  using Pixel = TypeParam;
  struct Case {
    int dx, dy, result;
    Pixel row[4];
  } const cases[] = {
      {1, 0, 1, {4, 1, 2, 3}},  {-1, 0, 1, {2, 3, 4, 1}}, {3, 0, 1, {2, 3, 4, 1}},
      {-3, 0, 1, {4, 1, 2, 3}}, {5, 0, 1, {4, 1, 2, 3}},  {-6, 0, 1, {3, 4, 1, 2}},
      {4, 0, 1, {1, 2, 3, 4}},  {-4, 0, 1, {1, 2, 3, 4}}, {8, 0, 1, {1, 2, 3, 4}},
      {0, 5, 1, {1, 2, 3, 4}},  {0, 0, 0, {1, 2, 3, 4}},  {INT_MIN, 0, 1, {1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    Image image(0, 0, 4, 2, this->kBpp);
    for (int x = 0; x < 4; ++x) {
      set_pixel<Pixel>(image.rec, x, 0, Pixel(x + 1));
      set_pixel<Pixel>(image.rec, x, 1, Pixel(10 * (x + 1)));
    }
    EXPECT_EQ(Scroll_Bitmap(&image.rec, c.dx, c.dy), c.result) << c.dx;
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(pixel<Pixel>(image.rec, x, 0), c.row[x]) << "dx " << c.dx << " column " << x;
      EXPECT_EQ(pixel<Pixel>(image.rec, x, 1), 10 * c.row[x]) << "dx " << c.dx << " column " << x;
    }
  }
  EXPECT_EQ(Scroll_Bitmap(nullptr, 1, 0), 0);
  BITMAP_IMAGE_TYP destroyed{};
  EXPECT_EQ(Scroll_Bitmap(&destroyed, 1, 0), 0);
}

class ScanImageBitmap : public ::testing::Test {
 protected:
  void SetUp() override { surface_ = plat::create_surface(4, 3, 8); }
  void TearDown() override { plat::release_surface(surface_); }
  std::vector<uint8_t> rows() const {
    std::vector<uint8_t> out;
    for (int y = 0; y < 3; ++y)
      out.insert(out.end(), surface_->memory + y * surface_->pitch,
                 surface_->memory + y * surface_->pitch + 4);
    return out;
  }
  plat::Surface* surface_ = nullptr;
  File file_{25, 12, 8};
};

TEST_F(ScanImageBitmap, CopiesTheCellOfTheSurfacesSize) {
  ASSERT_NE(surface_, nullptr);
  // Cell (4, 2) of 4 x 3 cells starts at (21, 9) and touches the file's corner.
  const std::pair<int, int> cells[] = {{0, 0}, {1, 2}, {4, 2}};
  for (auto [cx, cy] : cells) {
    ASSERT_EQ(Scan_Image_Bitmap(&file_.tag, surface_, cx, cy), 1);
    std::vector<uint8_t> want;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 4; ++x) want.push_back(file_.at<uint8_t>(cx * 5 + 1 + x, cy * 4 + 1 + y));
    EXPECT_EQ(rows(), want) << cx << "," << cy;
    EXPECT_EQ(surface_->lock_count, 0);
  }
}

TEST_F(ScanImageBitmap, RefusesCellsOutsideTheFileAndFailedLocks) {
  ASSERT_NE(surface_, nullptr);
  const std::pair<int, int> cells[] = {{5, 0}, {0, 3}, {-1, 0}, {0, -1}, {INT_MAX, INT_MAX}};
  for (auto [cx, cy] : cells) {
    EXPECT_EQ(Scan_Image_Bitmap(&file_.tag, surface_, cx, cy), 0) << cx << "," << cy;
    EXPECT_EQ(rows(), std::vector<uint8_t>(12, 0));
  }
  EXPECT_EQ(Scan_Image_Bitmap(nullptr, surface_, 0, 0), 0);
  EXPECT_EQ(Scan_Image_Bitmap(&file_.tag, nullptr, 0, 0), 0);
  // A surface whose lock hands out no memory.
  plat::Surface lost;
  lost.width = 4, lost.height = 3, lost.bpp = 8, lost.pitch = 4;
  EXPECT_EQ(Scan_Image_Bitmap(&file_.tag, &lost, 0, 0), 0);
  EXPECT_EQ(lost.lock_count, 0);
}

}  // namespace
