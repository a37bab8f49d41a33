// Entry, main window and frame loop.
#pragma once
#include <cstdint>

#include "platform/window.h"

using HINSTANCE = void*;

extern HINSTANCE main_instance;
extern HWND main_window_handle;
extern int window_client_x0;
extern int window_client_y0;

int WinMain(HINSTANCE hinstance, HINSTANCE hprevinstance, char* lpcmdline, int ncmdshow);
LRESULT WindowProc(HWND hwnd, uint32_t msg, WPARAM wparam, LPARAM lparam);
