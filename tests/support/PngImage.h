#pragma once

// A small PNG writer for the pictures tests take of windows: 8-bit RGB, every row with the
// "Sub" filter, compressed by one deflate block with the fixed codes whose only matches
// repeat the byte before or the row above (window pictures are mostly flat colour).

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace plintor::test {

// Pixels as red, green, blue bytes, rows from the top.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// True when every pixel has the colour of the first (or there is none).
bool IsOneColour(const RgbImage& image);

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

// `bytes` as a zlib stream; with a `rowLength`, runs that repeat the bytes that many places
// back are matched too.
std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> bytes, std::size_t rowLength = 0);

std::vector<std::uint8_t> EncodePng(const RgbImage& image);
bool WritePng(const std::filesystem::path& file, const RgbImage& image);

}
