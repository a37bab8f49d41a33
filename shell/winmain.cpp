#include "shell/winmain.h"

#include <cstdio>

#include "game/assets.h"
#include "game/frame.h"
#include "game/game_sounds.h"
#include "game/units.h"
#include "sound/dsound.h"

HINSTANCE main_instance = nullptr;
HWND main_window_handle = nullptr;
int window_client_x0 = 0;
int window_client_y0 = 0;

namespace {
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
}  // namespace

LRESULT WindowProc(HWND hwnd, uint32_t msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_CREATE: return 0;
    case WM_PAINT:
      // The picture reaches the window only through the frame's page flip.
      plat::begin_paint(hwnd);
      plat::end_paint(hwnd);
      return 0;
    case WM_DESTROY: plat::post_quit_message(0); return 0;
    default: return plat::def_window_proc(hwnd, msg, wparam, lparam);
  }
}

int WinMain(HINSTANCE hinstance, HINSTANCE, char*, int) {
  plat::WindowClass winclass;
  winclass.name = "WINCLASS1";
  winclass.proc = WindowProc;
  main_instance = hinstance;
  if (!plat::register_class(winclass)) {
    std::fprintf(stderr, "thalryn: cannot register the window class\n");
    return 1;
  }

  HWND hwnd = plat::create_window("WINCLASS1", "Thalryn", 0, 0, kWindowWidth, kWindowHeight);
  if (!hwnd) {
    // Without a window there is no game to play: say why and fail.
    std::fprintf(stderr, "thalryn: %s; a graphical display is needed to play\n",
                 plat::last_error());
    return 1;
  }
  main_window_handle = hwnd;

  // The client rectangle is 0..799 by 0..599, so the client area comes out
  // 799 by 599 pixels and the back buffer's last column and row stay unseen.
  plat::WindowRect rect{0, 0, kWindowWidth - 1, kWindowHeight - 1};
  plat::adjust_window_rect(&rect);
  window_client_x0 = -rect.left;
  window_client_y0 = -rect.top;
  plat::move_window(hwnd, 0, 0, rect.right - rect.left, rect.bottom - rect.top);
  plat::show_window(hwnd);

  Game_Init(nullptr, 0);
  Setup();
  DSound_Play(music, 1, 0, 0, 0);

  plat::Message msg;
  for (;;) {
    if (plat::peek_message(&msg)) {
      if (msg.id == WM_QUIT) break;
      plat::translate_message(msg);
      plat::dispatch_message(msg);
    }
    Game_Main(nullptr, 0);
  }

  Game_Shutdown(nullptr, 0);
  return static_cast<int>(msg.wparam);
}
