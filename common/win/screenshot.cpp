#include "common/win/screenshot.h"

#include "common/win/gdi.h"
#include "common/win/handles.h"

namespace {

constexpr WORD kBitmapSignature = 0x4D42;  // "BM"
constexpr WORD kBitsPerPixel = 24;

}  // namespace

bool SaveWindowScreenshot(HWND window, const std::wstring& file) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    WindowDc screen(nullptr);
    UniqueCreatedDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap) {
        return false;
    }
    {
        SelectedObject selected(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), bounds.left, bounds.top,
                    SRCCOPY)) {
            return false;
        }
        GdiFlush();
    }
    // Rows are padded to whole 32-bit words.
    const DWORD rowSize = ((width * kBitsPerPixel + 31) / 32) * 4;
    const DWORD imageSize = rowSize * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{};
    header.bfType = kBitmapSignature;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;

    UniqueFileHandle out(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return out && WriteFile(out.get(), &header, sizeof header, &written, nullptr) &&
           WriteFile(out.get(), &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
           WriteFile(out.get(), bits, imageSize, &written, nullptr) && written == imageSize;
}
