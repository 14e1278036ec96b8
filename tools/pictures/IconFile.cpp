#include "IconFile.h"

#include <QBuffer>
#include <QImageWriter>

#include <cstdint>

namespace plintor::pictures {

namespace {

// The icon file's header (ICONDIR: reserved 0, type 1, count) and one 16-byte directory
// entry per image (ICONDIRENTRY: width, height, colour count, reserved, planes, bits per
// pixel, byte count, file offset), little-endian; a side of 256 is written as 0.
constexpr std::uint32_t kHeaderSize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

void PutLe(QByteArray& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

// An icon image in bitmap form: a BITMAPINFOHEADER whose height counts the colour rows
// and the mask rows, the colour rows as straight (not premultiplied) BGRA from the bottom
// up, then the AND mask from the bottom up, one bit a pixel (1: transparent), each row
// padded to four bytes with zero bits.
QByteArray BitmapImage(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    const int maskStride = (w + 31) / 32 * 4;
    QByteArray out;
    PutLe(out, kInfoHeaderSize, 4);
    PutLe(out, static_cast<std::uint32_t>(w), 4);
    PutLe(out, static_cast<std::uint32_t>(2 * h), 4);
    PutLe(out, 1, 2);   // planes
    PutLe(out, 32, 2);  // bits per pixel
    PutLe(out, 0, 4);   // BI_RGB
    PutLe(out, static_cast<std::uint32_t>(w * h * 4 + maskStride * h), 4);
    for (int i = 0; i < 4; ++i)
        PutLe(out, 0, 4);  // resolution and colour table counts
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            PutLe(out, row[x], 4);  // 0xAARRGGBB little-endian is B, G, R, A
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray mask(maskStride, '\0');
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(row[x]) == 0)
                mask[x / 8] = static_cast<char>(mask[x / 8] | (0x80 >> (x % 8)));
        out.append(mask);
    }
    return out;
}

QByteArray PngImage(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(image) ? bytes : QByteArray();
}

}

QByteArray IconFile(const std::vector<QImage>& images)
{
    std::vector<QByteArray> data;
    for (const QImage& image : images) {
        if (image.isNull() || image.width() > 256 || image.height() > 256)
            return {};
        data.push_back(image.width() > 128 ? PngImage(image) : BitmapImage(image));
        if (data.back().isEmpty())
            return {};
    }
    QByteArray out;
    PutLe(out, 0, 2);
    PutLe(out, 1, 2);
    PutLe(out, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = kHeaderSize + kEntrySize * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        PutLe(out, static_cast<std::uint32_t>(images[i].width()) & 0xff, 1);
        PutLe(out, static_cast<std::uint32_t>(images[i].height()) & 0xff, 1);
        PutLe(out, 0, 2);   // no colour table, reserved
        PutLe(out, 1, 2);   // planes
        PutLe(out, 32, 2);  // bits per pixel
        PutLe(out, static_cast<std::uint32_t>(data[i].size()), 4);
        PutLe(out, offset, 4);
        offset += static_cast<std::uint32_t>(data[i].size());
    }
    for (const QByteArray& d : data)
        out.append(d);
    return out;
}

}
