// Display device, surfaces and page flip.
#pragma once
#include <cstdint>

#include "platform/display.h"
#include "platform/surface.h"

using USHORT = uint16_t;
using UCHAR = uint8_t;

// Capability bits a caller may pass as mem_flags.
constexpr int DDSCAPS_SYSTEMMEMORY = 2048;

// Scratch description filled by the lock operations.
struct SURFACE_DESC {
  uint32_t dwSize;
  uint32_t dwFlags;
  uint32_t dwHeight;
  uint32_t dwWidth;
  int32_t lPitch;
  void* lpSurface;
};

extern plat::Display* lpdd;
extern plat::Surface* lpddsprimary;
extern plat::Surface* lpddsback;
extern plat::Palette* lpddpal;
extern plat::Clipper* lpddclipper;
extern plat::Clipper* lpddclipperwin;
extern SURFACE_DESC ddsd;
extern UCHAR* primary_buffer;
extern int primary_lpitch;
extern UCHAR* back_buffer;
extern int back_lpitch;
extern int screen_width;
extern int screen_height;
extern int screen_bpp;
extern int screen_windowed;
extern int dd_pixel_format;
extern USHORT (*RGB16Bit)(int r, int g, int b);
extern int min_clip_x, max_clip_x, min_clip_y, max_clip_y;
extern plat::PaletteEntry palette[256];

int DDraw_Init(int width, int height, int bpp, int windowed);
int DDraw_Shutdown();
plat::Surface* DDraw_Create_Surface(int width, int height, int mem_flags, USHORT color_key_value);
plat::Clipper* DDraw_Attach_Clipper(plat::Surface* lpdds, int num_rects,
                                    const plat::Rect* clip_list);
int DDraw_Fill_Surface(plat::Surface* lpdds, USHORT color, const plat::Rect* client);
int DDraw_Flip();
int DDraw_Wait_For_Vsync();
UCHAR* DDraw_Lock_Surface(plat::Surface* lpdds, int* lpitch);
int DDraw_Unlock_Surface(plat::Surface* lpdds);
UCHAR* DDraw_Lock_Primary_Surface();
int DDraw_Unlock_Primary_Surface();
UCHAR* DDraw_Lock_Back_Surface();
int DDraw_Unlock_Back_Surface();

USHORT RGB16Bit565(int r, int g, int b);
USHORT RGB16Bit555(int r, int g, int b);

// The bounding rectangle of a clipper's region as the region header records
// it (64000, 64000, -64000, -64000 for an empty list).
plat::Rect DDraw_Clip_Bound(int num_rects, const plat::Rect* clip_list);
