#include "engine/bitmap_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/ddraw.h"

BITMAP_FILE_TAG bitmap8bit, bitmap16bit, bitmap24bit;

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kBitFields = 3;  // 16-bit pixels with colour masks: still uncompressed
// No picture we accept comes near this; it keeps a hostile file from eating memory.
constexpr size_t kMaxFileBytes = size_t(1) << 28;

uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t le32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

BITMAP_FILE_HEADER parse_file_header(const uint8_t* p) {
  return {le16(p), le32(p + 2), le16(p + 6), le16(p + 8), le32(p + 10)};
}

BITMAP_INFO_HEADER parse_info_header(const uint8_t* p) {
  return {le32(p),      int32_t(le32(p + 4)),  int32_t(le32(p + 8)),
          le16(p + 12), le16(p + 14),          le32(p + 16),
          le32(p + 20), int32_t(le32(p + 24)), int32_t(le32(p + 28)),
          le32(p + 32), le32(p + 36)};
}

// The colour table is stored blue, green, red, reserved; the palette wants
// red, green, blue and a flag that keeps the entry from being merged.
void read_palette(BITMAP_FILE_TAG* bitmap, const uint8_t* table, size_t entries) {
  for (size_t i = 0; i < 256; ++i) {
    plat::PaletteEntry& e = bitmap->file_palette[i];
    if (i < entries)
      e = {table[4 * i + 2], table[4 * i + 1], table[4 * i], PC_NOCOLLAPSE};
    else
      e = {0, 0, 0, PC_NOCOLLAPSE};
  }
}

uint16_t pack_pixel(uint8_t blue, uint8_t green, uint8_t red) {
  if (dd_pixel_format == 15)
    return uint16_t((blue >> 3) + ((green >> 3) << 5) + ((red >> 3) << 10));
  if (dd_pixel_format == 16)
    return uint16_t((blue >> 3) + ((green >> 2) << 5) + ((red >> 3) << 11));
  return 0;  // no 16-bit layout to convert to
}

// One stored row (possibly cut short by the end of the file) into one row of
// the pixel array; whatever the file lacks stays zero.
void convert_row(uint8_t* out, const uint8_t* in, size_t in_bytes, int32_t width, int bits) {
  if (bits != 24) {
    std::memcpy(out, in, in_bytes);
    return;
  }
  auto* words = reinterpret_cast<uint16_t*>(out);
  const size_t pixels = in_bytes / 3;
  for (size_t x = 0; x < pixels && x < size_t(width); ++x)
    words[x] = pack_pixel(in[3 * x], in[3 * x + 1], in[3 * x + 2]);
}

}  // namespace

int Load_Bitmap_Bytes(BITMAP_FILE_TAG* bitmap, const uint8_t* data, size_t size) {
  if (!bitmap || !data || size < kFileHeaderBytes) return 0;
  bitmap->file_header = parse_file_header(data);
  if (bitmap->file_header.bfType != BITMAP_ID) return 0;
  if (size < kFileHeaderBytes + kInfoHeaderBytes) return 0;
  bitmap->info_header = parse_info_header(data + kFileHeaderBytes);
  const BITMAP_INFO_HEADER& info = bitmap->info_header;

  const int bits = info.biBitCount;
  if (bits != 8 && bits != 16 && bits != 24) return 0;
  if (info.biCompression != kUncompressed && !(bits == 16 && info.biCompression == kBitFields))
    return 0;
  if (info.biSize < kInfoHeaderBytes) return 0;
  // A negative height marks a picture stored top row first.
  const bool top_down = info.biHeight < 0;
  const int64_t width = info.biWidth;
  const int64_t height = top_down ? -int64_t(info.biHeight) : int64_t(info.biHeight);
  if (width <= 0 || height <= 0 || width * height > MAX_BITMAP_PIXELS) return 0;

  // Larger info headers (and the colour masks after a plain one) come before
  // the colour table; the pixels start where the file header says.
  size_t headers_end = kFileHeaderBytes + size_t(info.biSize);
  if (info.biCompression == kBitFields && info.biSize == kInfoHeaderBytes) headers_end += 12;
  if (headers_end > size) return 0;
  size_t pixel_offset = headers_end + (bits == 8 ? 1024 : 0);
  const size_t declared = bitmap->file_header.bfOffBits;
  if (declared >= headers_end && declared <= size) pixel_offset = declared;

  if (bits == 8) {
    const size_t table_end = pixel_offset < size ? pixel_offset : size;
    read_palette(bitmap, data + headers_end, (table_end - headers_end) / 4);
  }

  // Stored rows are padded to whole 4-byte words.
  const size_t stride = (size_t(width) * bits + 31) / 32 * 4;
  const size_t out_row = size_t(width) * (bits == 8 ? 1 : 2);
  const size_t available = pixel_offset < size ? size - pixel_offset : 0;

  std::free(bitmap->pixels);
  bitmap->pixels = static_cast<uint8_t*>(std::calloc(out_row * size_t(height), 1));
  if (!bitmap->pixels) return 0;

  for (int64_t row = 0; row < height; ++row) {
    const size_t stored = size_t(top_down ? row : height - 1 - row);
    const size_t begin = stored * stride;
    if (begin >= available) continue;
    size_t bytes = available - begin;
    const size_t wanted = size_t(width) * size_t(bits / 8);
    if (bytes > wanted) bytes = wanted;
    convert_row(bitmap->pixels + size_t(row) * out_row, data + pixel_offset + begin, bytes,
                int32_t(width), bits);
  }
  if (bits == 24) bitmap->info_header.biBitCount = 16;
  bitmap->info_header.biHeight = int32_t(height);
  return 1;
}

int Load_Bitmap_File(BITMAP_FILE_TAG* bitmap, const char* filename) {
  if (!bitmap || !filename) return 0;
  std::FILE* file = std::fopen(filename, "rb");
  if (!file) return 0;
  std::vector<uint8_t> bytes;
  uint8_t chunk[1 << 16];
  size_t got = 0;
  bool too_big = false;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    if (bytes.size() + got > kMaxFileBytes) {
      too_big = true;
      break;
    }
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  std::fclose(file);
  if (too_big) return 0;
  return Load_Bitmap_Bytes(bitmap, bytes.data(), bytes.size());
}

int Unload_Bitmap_File(BITMAP_FILE_TAG* bitmap) {
  if (bitmap && bitmap->pixels) {
    std::free(bitmap->pixels);
    bitmap->pixels = nullptr;
  }
  return 1;
}

int Flip_Bitmap(uint8_t* image, int bytes_per_line, int height) {
  if (!image) return 0;
  if (bytes_per_line <= 0 || height <= 1) return 1;
  auto* row = static_cast<uint8_t*>(std::malloc(size_t(bytes_per_line)));
  if (!row) return 0;
  for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
    uint8_t* a = image + size_t(top) * bytes_per_line;
    uint8_t* b = image + size_t(bottom) * bytes_per_line;
    std::memcpy(row, a, bytes_per_line);
    std::memcpy(a, b, bytes_per_line);
    std::memcpy(b, row, bytes_per_line);
  }
  std::free(row);
  return 1;
}
