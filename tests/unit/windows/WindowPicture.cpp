#include "WindowPicture.h"

#include <windows.h>

namespace plintor::win32 {

bool TakeWindowPicture(void* handle, test::RgbImage& image)
{
    HWND window = static_cast<HWND>(handle);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT place{};
    if (!GetWindowRect(window, &place) || place.right <= place.left || place.bottom <= place.top)
        return false;
    const int width = place.right - place.left, height = place.bottom - place.top;

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // rows from the top
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC drawn = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(drawn);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(drawn, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool taken = false;
    if (memory && bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        taken = BitBlt(memory, 0, 0, width, height, drawn, 0, 0, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
    }
    if (taken) {
        image.width = width;
        image.height = height;
        image.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
        const auto* pixel = static_cast<const std::uint8_t*>(bits);  // blue, green, red, unused
        for (std::size_t i = 0; i < image.rgb.size() / 3; ++i, pixel += 4) {
            image.rgb[3 * i] = pixel[2];
            image.rgb[3 * i + 1] = pixel[1];
            image.rgb[3 * i + 2] = pixel[0];
        }
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    ReleaseDC(window, drawn);
    return taken;
}

}
