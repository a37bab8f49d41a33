#include "platform/window.h"

#include <SDL.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/sdl_video.h"

struct PlatformWindow {
  WindowProcFn proc = nullptr;
  SDL_Window* sdl = nullptr;
  bool alive = true;
};

namespace plat {
namespace {

struct State {
  std::vector<WindowClass> classes;
  std::vector<std::string> class_names;
  std::vector<std::unique_ptr<PlatformWindow>> windows;
  std::deque<Message> queue;
  bool quit_posted = false;
  int quit_code = 0;
  std::string error;
};

State& state() {
  static State s;
  return s;
}

PlatformWindow* find_sdl_window(uint32_t sdl_id) {
  for (auto& w : state().windows)
    if (w->alive && w->sdl && SDL_GetWindowID(w->sdl) == sdl_id) return w.get();
  return nullptr;
}

// Turns the window manager's close requests into WM_CLOSE for our queue.
void pump_sdl_events() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_QUIT, SDL_WINDOWEVENT) > 0) {
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) {
      if (PlatformWindow* w = find_sdl_window(event.window.windowID))
        state().queue.push_back({w, WM_CLOSE, 0, 0});
    } else if (event.type == SDL_QUIT) {
      for (auto& w : state().windows)
        if (w->alive) {
          state().queue.push_back({w.get(), WM_CLOSE, 0, 0});
          break;
        }
    }
  }
  // Other events (keys, mouse) are read as state, never as messages; drop
  // them so SDL's queue does not fill up.
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

}  // namespace

bool register_class(const WindowClass& wc) {
  if (!wc.name || !wc.proc) return false;
  for (auto& name : state().class_names)
    if (name == wc.name) return false;
  state().class_names.emplace_back(wc.name);
  state().classes.push_back(wc);
  state().classes.back().name = state().class_names.back().c_str();
  return true;
}

const char* last_error() { return state().error.c_str(); }

HWND create_window(const char* class_name, const char* caption, int x, int y, int width,
                   int height) {
  const WindowClass* wc = nullptr;
  for (size_t i = 0; i < state().classes.size(); ++i)
    if (state().class_names[i] == class_name) wc = &state().classes[i];
  if (!wc) {
    state().error = std::string("window class \"") + class_name + "\" is not registered";
    return nullptr;
  }
  if (!ensure_video()) {
    state().error = std::string("cannot open the video system: ") + SDL_GetError();
    return nullptr;
  }
  SDL_Window* sdl = SDL_CreateWindow(caption, x, y, width, height, SDL_WINDOW_HIDDEN);
  if (!sdl) {
    state().error = std::string("cannot create the window: ") + SDL_GetError();
    return nullptr;
  }
  auto window = std::make_unique<PlatformWindow>();
  window->proc = wc->proc;
  window->sdl = sdl;
  HWND handle = window.get();
  state().windows.push_back(std::move(window));
  handle->proc(handle, WM_CREATE, 0, 0);
  return handle;
}

void adjust_window_rect(WindowRect*) {}

void move_window(HWND window, int x, int y, int width, int height) {
  if (!is_window(window)) return;
  SDL_SetWindowPosition(window->sdl, x, y);
  SDL_SetWindowSize(window->sdl, width, height);
}

void show_window(HWND window) {
  if (is_window(window)) SDL_ShowWindow(window->sdl);
}

WindowRect get_window_rect(HWND window) {
  WindowRect r{0, 0, 0, 0};
  if (!is_window(window)) return r;
  int w = 0, h = 0;
  SDL_GetWindowPosition(window->sdl, &r.left, &r.top);
  SDL_GetWindowSize(window->sdl, &w, &h);
  r.right = r.left + w;
  r.bottom = r.top + h;
  return r;
}

bool is_window(HWND window) {
  for (auto& w : state().windows)
    if (w.get() == window) return w->alive;
  return false;
}

void destroy_window(HWND window) {
  if (!is_window(window)) return;
  window->proc(window, WM_DESTROY, 0, 0);
  window->alive = false;
  SDL_DestroyWindow(window->sdl);
  window->sdl = nullptr;
}

bool peek_message(Message* out) {
  pump_sdl_events();
  State& s = state();
  if (!s.queue.empty()) {
    *out = s.queue.front();
    s.queue.pop_front();
    return true;
  }
  // As on the original platform, the quit message comes once the posted
  // messages have drained.
  if (s.quit_posted) {
    s.quit_posted = false;
    *out = {nullptr, WM_QUIT, static_cast<WPARAM>(s.quit_code), 0};
    return true;
  }
  return false;
}

bool post_message(HWND window, uint32_t id, WPARAM wparam, LPARAM lparam) {
  if (window && !is_window(window)) return false;
  state().queue.push_back({window, id, wparam, lparam});
  return true;
}

void post_quit_message(int exit_code) {
  state().quit_posted = true;
  state().quit_code = exit_code;
}

void translate_message(const Message&) {}

LRESULT dispatch_message(const Message& message) {
  if (!is_window(message.window)) return 0;
  return message.window->proc(message.window, message.id, message.wparam, message.lparam);
}

LRESULT send_message(HWND window, uint32_t id, WPARAM wparam, LPARAM lparam) {
  if (!is_window(window)) return 0;
  return window->proc(window, id, wparam, lparam);
}

LRESULT def_window_proc(HWND window, uint32_t id, WPARAM, LPARAM) {
  if (id == WM_CLOSE) destroy_window(window);
  return 0;
}

void begin_paint(HWND) {}
void end_paint(HWND) {}

void* native_window(HWND window) { return is_window(window) ? window->sdl : nullptr; }

void reset_windows() {
  State& s = state();
  for (auto& w : s.windows)
    if (w->sdl) SDL_DestroyWindow(w->sdl);
  s = State{};
}

}  // namespace plat

namespace plat {

void request_close(HWND window) {
  if (!is_window(window)) return;
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = SDL_WINDOWEVENT_CLOSE;
  event.window.windowID = SDL_GetWindowID(window->sdl);
  SDL_PushEvent(&event);
}

}  // namespace plat
