// png.h -- a minimal writer of 8-bit RGB PNG pictures (stored, uncompressed), for looking at data.
#pragma once
#include <cstdint>
#include <vector>

// rgb holds width * height * 3 bytes, top row first. Returns 1 when the file was written.
int png_write_rgb(const char* path, int width, int height, const std::vector<uint8_t>& rgb);
