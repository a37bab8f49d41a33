// Feeds arbitrary bytes to the bitmap reader, then walks the whole pixel
// array and cuts a frame from it, so any size the reader gets wrong shows.
#include <cstddef>
#include <cstdint>

#include "engine/bitmap_file.h"
#include "engine/bob.h"
#include "engine/ddraw.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static BITMAP_FILE_TAG bitmap{};
  static BOB_TYP sprite{};
  static bool ready = Create_BOB(&sprite, 0, 0, 16, 16, 2, BOB_VISIBLE, 0, 0, 16) == 1;
  if (!ready) return 0;
  dd_pixel_format = size % 3 == 0 ? 15 : 16;
  if (Load_Bitmap_Bytes(&bitmap, data, size) == 1) {
    const BITMAP_INFO_HEADER& info = bitmap.info_header;
    const size_t bytes = size_t(info.biWidth) * info.biHeight * (info.biBitCount / 8);
    volatile uint8_t sum = 0;
    for (size_t i = 0; i < bytes; ++i) sum = uint8_t(sum + bitmap.pixels[i]);
    Flip_Bitmap(bitmap.pixels, info.biWidth * (info.biBitCount / 8), info.biHeight);
    Load_Frame_BOB16(&sprite, &bitmap, 0, 0, 0, BOB_CELL_MODE);
    Load_Frame_BOB16(&sprite, &bitmap, 1, info.biWidth - 16, info.biHeight - 16, BOB_ABSOLUTE_MODE);
    Load_Frame_BOB(&sprite, &bitmap, 1, 0, 0, BOB_CELL_MODE);
  }
  Unload_Bitmap_File(&bitmap);
  return 0;
}
