#include "PngImage.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace plintor::test {

namespace {

// Deflate's length and distance codes (RFC 1951, 3.2.5): the first value of each code and
// its number of extra bits.
constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                               33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                               1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr std::size_t kMaxDistance = 32768;

// Deflate packs bits from the lowest up; Huffman codes go in from their highest bit.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out(out) {}
    void Bits(std::uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            Bit((value >> i) & 1u);
    }
    void Code(std::uint32_t code, int length)
    {
        for (int i = length - 1; i >= 0; --i)
            Bit((code >> i) & 1u);
    }
    void Flush()
    {
        if (used)
            out.push_back(static_cast<std::uint8_t>(pending));
        pending = used = 0;
    }

private:
    void Bit(std::uint32_t bit)
    {
        pending |= bit << used;
        if (++used == 8)
            Flush();
    }
    std::vector<std::uint8_t>& out;
    std::uint32_t pending = 0;
    int used = 0;
};

// The fixed literal/length code of `symbol` (RFC 1951, 3.2.6).
void FixedSymbol(BitWriter& bits, int symbol)
{
    if (symbol < 144)
        bits.Code(0x30 + symbol, 8);
    else if (symbol < 256)
        bits.Code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        bits.Code(symbol - 256, 7);
    else
        bits.Code(0xC0 + symbol - 280, 8);
}

void Match(BitWriter& bits, int length, int distance)
{
    const int lengthCode = static_cast<int>(std::upper_bound(kLengthBase.begin(), kLengthBase.end(), length)
                                            - kLengthBase.begin()) - 1;
    FixedSymbol(bits, 257 + lengthCode);
    bits.Bits(static_cast<std::uint32_t>(length - kLengthBase[lengthCode]), kLengthExtra[lengthCode]);
    const int distanceCode = static_cast<int>(std::upper_bound(kDistanceBase.begin(), kDistanceBase.end(), distance)
                                              - kDistanceBase.begin()) - 1;
    bits.Code(static_cast<std::uint32_t>(distanceCode), 5);
    bits.Bits(static_cast<std::uint32_t>(distance - kDistanceBase[distanceCode]), distanceCode < 4 ? 0 : distanceCode / 2 - 1);
}

// How many bytes from `at` on repeat those `distance` places back.
int RunLength(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t distance)
{
    if (distance == 0 || distance > at || distance > kMaxDistance)
        return 0;
    int length = 0;
    while (length < kMaxMatch && at + length < bytes.size() && bytes[at + length] == bytes[at + length - distance])
        ++length;
    return length;
}

void BigEndian(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void Chunk(std::vector<std::uint8_t>& png, const char (&type)[5], std::span<const std::uint8_t> data)
{
    BigEndian(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    BigEndian(png, Crc32(std::span(png).subspan(start)));
}

}

bool IsOneColour(const RgbImage& image)
{
    for (std::size_t i = 3; i + 2 < image.rgb.size(); i += 3)
        if (!std::equal(image.rgb.begin() + static_cast<std::ptrdiff_t>(i),
                        image.rgb.begin() + static_cast<std::ptrdiff_t>(i + 3), image.rgb.begin()))
            return false;
    return true;
}

std::uint32_t Crc32(std::span<const std::uint8_t> bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes)
{
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : bytes) {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> bytes, std::size_t rowLength)
{
    std::vector<std::uint8_t> out = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
    BitWriter bits(out);
    bits.Bits(1, 1);  // the final block
    bits.Bits(1, 2);  // with the fixed codes
    for (std::size_t at = 0; at < bytes.size();) {
        const int byRun = RunLength(bytes, at, 1);
        const int byRow = RunLength(bytes, at, rowLength);
        const int length = std::max(byRun, byRow);
        if (length >= kMinMatch) {
            Match(bits, length, byRow >= byRun ? static_cast<int>(rowLength) : 1);
            at += static_cast<std::size_t>(length);
        } else {
            FixedSymbol(bits, bytes[at++]);
        }
    }
    FixedSymbol(bits, 256);
    bits.Flush();
    BigEndian(out, Adler32(bytes));
    return out;
}

std::vector<std::uint8_t> EncodePng(const RgbImage& image)
{
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    std::vector<std::uint8_t> filtered;
    filtered.reserve((stride + 1) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.rgb.data() + static_cast<std::size_t>(y) * stride;
        filtered.push_back(1);  // "Sub": each byte less the same colour's byte of the pixel before
        for (std::size_t x = 0; x < stride; ++x)
            filtered.push_back(static_cast<std::uint8_t>(row[x] - (x >= 3 ? row[x - 3] : 0)));
    }
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    BigEndian(header, static_cast<std::uint32_t>(image.width));
    BigEndian(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, adaptive filters, no interlace
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", ZlibCompress(filtered, stride + 1));
    Chunk(png, "IEND", {});
    return png;
}

bool WritePng(const std::filesystem::path& file, const RgbImage& image)
{
    const std::vector<std::uint8_t> png = EncodePng(image);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out.flush());
}

}
