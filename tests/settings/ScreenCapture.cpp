#include "ScreenCapture.h"

#include <fstream>
#include <set>

PictureDc::PictureDc(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = dc_ ? CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0) : nullptr;
    if (bitmap_) {
        previous_ = SelectObject(dc_, bitmap_);
    } else {
        bits_ = nullptr;
    }
}

PictureDc::~PictureDc() {
    if (bitmap_) {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
    }
    if (dc_) {
        DeleteDC(dc_);
    }
}

Picture PictureDc::Take() const {
    Picture picture;
    if (!bits_) {
        return picture;
    }
    GdiFlush();
    picture.width = width_;
    picture.height = height_;
    const DWORD* p = static_cast<const DWORD*>(bits_);
    picture.pixels.assign(p, p + static_cast<size_t>(width_) * static_cast<size_t>(height_));
    for (DWORD& pixel : picture.pixels) {
        pixel &= 0xFFFFFF;
    }
    return picture;
}

Picture CaptureClientArea(HWND window) {
    RECT client{};
    if (!GetClientRect(window, &client)) {
        return {};
    }
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    int width = client.right;
    int height = client.bottom;
    return PaintPicture(width, height, RGB(0, 0, 0), [&](HDC target) {
        HDC screen = GetDC(nullptr);
        BitBlt(target, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
        ReleaseDC(nullptr, screen);
    });
}

int CountDistinctColours(const Picture& picture) {
    std::set<DWORD> colours(picture.pixels.begin(), picture.pixels.end());
    return static_cast<int>(colours.size());
}

namespace {

void PutLittleEndian(std::string& out, DWORD value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

bool WriteBitmapFile(const Picture& picture, const std::string& path) {
    if (picture.width <= 0 || picture.height <= 0) {
        return false;
    }
    const DWORD stride = (static_cast<DWORD>(picture.width) * 3 + 3) & ~DWORD{3};
    const DWORD imageSize = stride * static_cast<DWORD>(picture.height);
    std::string out;
    out += "BM";
    PutLittleEndian(out, 54 + imageSize, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 54, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<DWORD>(picture.width), 4);
    PutLittleEndian(out, static_cast<DWORD>(picture.height), 4);  // bottom-up
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 24, 2);
    PutLittleEndian(out, BI_RGB, 4);
    PutLittleEndian(out, imageSize, 4);
    out.append(16, '\0');  // resolution and palette: none
    for (int y = picture.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < picture.width; ++x) {
            PutLittleEndian(row, picture.pixels[static_cast<size_t>(y) * picture.width + x], 3);
        }
        row.resize(stride, '\0');
        out += row;
    }
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

void ShowForCapture(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(window);
    // Let the X server and Wine settle before reading the screen.
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 500) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(20);
    }
}
