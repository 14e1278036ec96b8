// The test support's PNG writer, read back by Qt's PNG reader.

#include "PngImage.h"

#include <QImage>

#include <gtest/gtest.h>

#include <string_view>

namespace plintor::test {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

RgbImage Flat(int width, int height, std::uint8_t grey)
{
    return {width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width * height * 3), grey)};
}

void Put(RgbImage& image, int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    std::uint8_t* pixel = &image.rgb[static_cast<std::size_t>((y * image.width + x) * 3)];
    pixel[0] = r;
    pixel[1] = g;
    pixel[2] = b;
}

void ExpectReadBackAs(const RgbImage& image)
{
    const std::vector<std::uint8_t> png = EncodePng(image);
    QImage read;
    ASSERT_TRUE(read.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
    ASSERT_EQ(read.width(), image.width);
    ASSERT_EQ(read.height(), image.height);
    int wrong = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = &image.rgb[static_cast<std::size_t>((y * image.width + x) * 3)];
            wrong += read.pixel(x, y) != qRgb(p[0], p[1], p[2]);
        }
    EXPECT_EQ(wrong, 0);
}

TEST(PngImage, ChecksumsOfTheStandardsOwnExamples)
{
    EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
    EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
}

// Flat areas, runs longer than one match, rows equal to the row above, and noise that
// matches nothing: every pixel comes back.
TEST(PngImage, AWindowLikePictureReadsBackPixelForPixel)
{
    RgbImage image = Flat(301, 97, 0xF0);
    for (int x = 0; x < image.width; ++x) {
        Put(image, x, 0, 0x00, 0x33, 0x99);                                                // a title bar row
        Put(image, x, 50, static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(x * 13),
            static_cast<std::uint8_t>(x * x));                                            // noise
    }
    for (int y = 10; y < 40; ++y)
        for (int x = 20; x < 120; x += 3)
            Put(image, x, y, 0, 0, 0);                                                    // text-like columns
    ExpectReadBackAs(image);
    ExpectReadBackAs(Flat(1, 1, 0x80));
}

TEST(PngImage, AFlatPictureShrinksToAFractionAndIsOneColourUntilItsLastPixelDiffers)
{
    RgbImage image = Flat(640, 480, 0xEE);
    EXPECT_TRUE(IsOneColour(image));
    EXPECT_LT(EncodePng(image).size(), image.rgb.size() / 50);
    Put(image, 639, 479, 0xEE, 0xEE, 0xEF);
    EXPECT_FALSE(IsOneColour(image));
    ExpectReadBackAs(image);
}

}
}
