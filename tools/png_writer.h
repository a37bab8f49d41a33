// A minimal PNG writer: 8-bit RGB, stored (uncompressed) deflate blocks.
#pragma once
#include <cstdint>
#include <vector>

// rgb holds width * height * 3 bytes, top row first. False when the file
// cannot be written.
bool write_png(const char* path, int width, int height, const std::vector<uint8_t>& rgb);
