// Minimal PNG writer for BGRA pixels: stored (uncompressed) deflate blocks,
// so the tool needs nothing beyond the C++ library.
#pragma once

#include <cstdint>
#include <string>

bool writeBgraPng(const std::string& path, const uint8_t* bgra, int width, int height, int stride);
