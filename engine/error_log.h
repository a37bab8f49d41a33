// The engine's error log: printf-style messages into a text file, written
// only while the log is open.
#pragma once

int Write_Error(const char* string, ...);
