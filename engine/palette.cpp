#include "engine/palette.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "engine/ddraw.h"

namespace {

bool valid_index(int index) { return index >= 0 && index < MAX_COLORS_PALETTE; }

// The device palette is written only when there is one (8-bit displays).
void device_write(int first, int count, const PALETTEENTRY* entries) {
  if (lpddpal) plat::set_palette_entries(lpddpal, first, count, entries);
}

// Reads one decimal number as "%d" would (leading white space, an optional
// sign, digits) and keeps its value modulo 2^32, which is all a palette byte
// needs; false when no number stands there.
bool read_number(FILE* file, uint32_t* value) {
  int c;
  do c = std::fgetc(file);
  while (c != EOF && std::isspace(c));
  bool negative = false;
  if (c == '-' || c == '+') {
    negative = c == '-';
    c = std::fgetc(file);
  }
  if (c == EOF || !std::isdigit(c)) {
    if (c != EOF) std::ungetc(c, file);
    return false;
  }
  uint32_t v = 0;
  for (; c != EOF && std::isdigit(c); c = std::fgetc(file)) v = v * 10u + uint32_t(c - '0');
  if (c != EOF) std::ungetc(c, file);
  *value = negative ? 0u - v : v;
  return true;
}

}  // namespace

int Set_Palette_Entry(int color_index, LPPALETTEENTRY color) {
  if (!valid_index(color_index) || !color) return 0;
  device_write(color_index, 1, color);
  palette[color_index] = *color;
  return 1;
}

int Get_Palette_Entry(int color_index, LPPALETTEENTRY color) {
  if (!valid_index(color_index) || !color) return 0;
  *color = palette[color_index];
  return 1;
}

int Save_Palette(LPPALETTEENTRY sav_palette) {
  if (!sav_palette) return 0;
  std::memcpy(sav_palette, palette, sizeof palette);
  return 1;
}

int Set_Palette(LPPALETTEENTRY set_palette) {
  if (!set_palette) return 0;
  std::memmove(palette, set_palette, sizeof palette);
  device_write(0, MAX_COLORS_PALETTE, palette);
  return 1;
}

int Load_Palette_From_File(const char* filename, LPPALETTEENTRY palette) {
  if (!filename || !palette) return 0;
  FILE* file = std::fopen(filename, "r");
  if (!file) return 0;
  // A file that ends early or holds other text leaves the rest as it was.
  bool reading = true;
  for (int index = 0; index < MAX_COLORS_PALETTE && reading; ++index) {
    uint8_t* fields[4] = {&palette[index].red, &palette[index].green, &palette[index].blue,
                          &palette[index].flags};
    for (uint8_t* field : fields) {
      uint32_t value = 0;
      if (!read_number(file, &value)) {
        reading = false;
        break;
      }
      *field = static_cast<uint8_t>(value);
    }
  }
  std::fclose(file);
  return 1;
}

int Save_Palette_To_File(const char* filename, LPPALETTEENTRY palette) {
  if (!filename || !palette) return 0;
  FILE* file = std::fopen(filename, "w");
  if (!file) return 0;
  for (int index = 0; index < MAX_COLORS_PALETTE; ++index)
    std::fprintf(file, "\n%d %d %d %d", palette[index].red, palette[index].green,
                 palette[index].blue, palette[index].flags);
  std::fclose(file);
  return 1;
}

int Rotate_Colors(int start_index, int end_index) {
  if (!lpddpal || !valid_index(start_index) || !valid_index(end_index) || end_index < start_index)
    return 0;
  PALETTEENTRY work[MAX_COLORS_PALETTE];
  const int count = end_index - start_index + 1;
  plat::get_palette_entries(lpddpal, start_index, count, work);
  plat::set_palette_entries(lpddpal, start_index + 1, count - 1, work);
  plat::set_palette_entries(lpddpal, start_index, 1, &work[count - 1]);
  plat::get_palette_entries(lpddpal, 0, MAX_COLORS_PALETTE, palette);
  return 1;
}

int Blink_Colors(int command, BLINKER_TYP* new_light, int id) {
  static BLINKER_TYP lights[MAX_COLORS_PALETTE];
  static int initialized = 0;
  if (!initialized) {
    initialized = 1;
    std::memset(lights, 0, sizeof lights);
  }

  switch (command) {
    case BLINKER_ADD: {
      if (!new_light || !valid_index(new_light->palette_index)) return -1;
      for (int index = 0; index < MAX_COLORS_PALETTE; ++index) {
        BLINKER_TYP& light = lights[index];
        if (light.phase != 0) continue;
        light = *new_light;
        light.tick = 0;
        light.phase = -1;
        device_write(light.palette_index, 1, &light.off_entry);
        return index;
      }
      return -1;
    }
    case BLINKER_DELETE:
      if (!valid_index(id) || lights[id].phase == 0) return -1;
      std::memset(&lights[id], 0, sizeof lights[id]);
      return id;
    case BLINKER_UPDATE: {
      if (!new_light || !valid_index(id) || lights[id].phase == 0) return -1;
      BLINKER_TYP& light = lights[id];
      light.on_entry = new_light->on_entry;
      light.off_entry = new_light->off_entry;
      light.on_frames = new_light->on_frames;
      light.off_frames = new_light->off_frames;
      device_write(light.palette_index, 1, light.phase == -1 ? &light.off_entry : &light.on_entry);
      return id;
    }
    case BLINKER_RUN:
      for (BLINKER_TYP& light : lights) {
        if (light.phase == -1) {
          if (++light.tick >= light.off_frames) {
            light.tick = 0;
            light.phase = 1;
            device_write(light.palette_index, 1, &light.on_entry);
          }
        } else if (light.phase == 1) {
          if (++light.tick >= light.on_frames) {
            light.tick = 0;
            light.phase = -1;
            device_write(light.palette_index, 1, &light.off_entry);
          }
        }
      }
      return 1;
    default: return 1;
  }
}
