// Palette files of any content load without reading or writing past the 256
// entries.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/palette.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/fuzz_palette_" + std::to_string(getpid()) + ".pal";
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  // Entries sit between guard entries that must stay untouched.
  PALETTEENTRY block[258] = {};
  block[0] = block[257] = {0xA1, 0xB2, 0xC3, 0xD4};
  if (Load_Palette_From_File(path.c_str(), block + 1) != 1) __builtin_trap();
  if (block[0].red != 0xA1 || block[257].flags != 0xD4) __builtin_trap();
  std::remove(path.c_str());
  return 0;
}
