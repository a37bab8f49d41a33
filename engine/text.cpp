#include "engine/text.h"

#include <cstring>

#include "engine/ddraw.h"
#include "platform/text.h"

int Draw_Text_GDI(const char* text, int x, int y, COLORREF color, plat::Surface* lpdds) {
  if (!text) return 0;
  plat::DeviceContext* dc = plat::get_dc(lpdds);
  if (!dc) return 0;
  plat::set_text_color(dc, color);
  plat::set_bk_mode(dc, plat::BK_TRANSPARENT);
  plat::text_out(dc, x, y, text, static_cast<int32_t>(std::strlen(text)));
  plat::release_dc(dc);
  return 1;
}

int Draw_Text_GDI(const char* text, int x, int y, int color, plat::Surface* lpdds) {
  // Reading past the palette would take a colour from whatever follows it.
  if (color < 0 || color > 255) return 0;
  const plat::PaletteEntry& e = palette[color];
  COLORREF value = e.red + (e.green << 8) + (static_cast<COLORREF>(e.blue) << 16);
  return Draw_Text_GDI(text, x, y, value, lpdds);
}
