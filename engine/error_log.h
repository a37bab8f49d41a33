// The engine's error log: printf-style messages into a text file, written
// only while the log is open. Messages begin with a newline.
#pragma once
#include <cstdio>

// The open log stream; null while no log is open.
extern FILE* fp_error;

// Opens the log in filename (emptied), or on fp_override when that is not
// null, and writes the opening line with a time stamp. 1, or 0 when the file
// cannot be opened.
int Open_Error_File(const char* filename, FILE* fp_override = nullptr);
// Writes the closing line and closes the log (standard output and standard
// error stay open). 1, or 0 when no log was open.
int Close_Error_File();
// Formats a message into the log and flushes it. 1, or 0 when there is no
// format or no open log.
int Write_Error(const char* string, ...);
