// Windows, window classes and the per-thread message queue: the services the
// shell and the frame logic rely on, on top of SDL.
#pragma once
#include <cstdint>

struct PlatformWindow;
using HWND = PlatformWindow*;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using WindowProcFn = LRESULT (*)(HWND, uint32_t, WPARAM, LPARAM);

constexpr uint32_t WM_CREATE = 1;
constexpr uint32_t WM_DESTROY = 2;
constexpr uint32_t WM_PAINT = 15;
constexpr uint32_t WM_CLOSE = 16;
constexpr uint32_t WM_QUIT = 18;

namespace plat {

struct Message {
  HWND window = nullptr;
  uint32_t id = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
};

struct WindowClass {
  const char* name = nullptr;
  WindowProcFn proc = nullptr;
};

struct WindowRect {
  int32_t left, top, right, bottom;
};

bool register_class(const WindowClass& wc);
// Creates a hidden window of the given outer size; WM_CREATE reaches its
// procedure before this returns. Null when the class is unknown or no display
// can be opened (the reason is then in last_error()).
HWND create_window(const char* class_name, const char* caption, int x, int y, int width,
                   int height);
const char* last_error();
// Grows a client rectangle to the outer window rectangle. Our windows carry
// no frame of their own (the desktop's window manager draws it outside), so
// client and outer rectangles coincide.
void adjust_window_rect(WindowRect* rect);
void move_window(HWND window, int x, int y, int width, int height);
void show_window(HWND window);
WindowRect get_window_rect(HWND window);
bool is_window(HWND window);
// Destroys the window: WM_DESTROY reaches its procedure, then it is gone.
void destroy_window(HWND window);

// Takes one pending message, if any, without waiting. Window-manager events
// (a close request) arrive here as WM_CLOSE for the window.
bool peek_message(Message* out);
bool post_message(HWND window, uint32_t id, WPARAM wparam, LPARAM lparam);
void post_quit_message(int exit_code);
void translate_message(const Message& message);
LRESULT dispatch_message(const Message& message);
LRESULT send_message(HWND window, uint32_t id, WPARAM wparam, LPARAM lparam);
LRESULT def_window_proc(HWND window, uint32_t id, WPARAM wparam, LPARAM lparam);
void begin_paint(HWND window);
void end_paint(HWND window);

// For the display layer: the SDL window behind a handle (opaque here).
void* native_window(HWND window);

// Drops every window, class and queued message (tests start afresh).
void reset_windows();

}  // namespace plat

namespace plat {
// Asks for the window to be closed the way the desktop's close box does, so
// the request travels the real event path (tests).
void request_close(HWND window);
}  // namespace plat
