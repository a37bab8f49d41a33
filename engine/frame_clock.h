// The frame clock: holds frames to a fixed period.
#pragma once
#include <cstdint>

using DWORD = uint32_t;

extern DWORD start_clock_count;

DWORD Get_Clock();
DWORD Start_Clock();
DWORD Wait_Clock(DWORD count);
