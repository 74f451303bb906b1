#include "Canvas.h"

#include <fstream>
#include <set>

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = dc_ ? CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0) : nullptr;
    if (!bitmap_) {
        bits_ = nullptr;
        return;
    }
    previous_ = SelectObject(dc_, bitmap_);
    const HBRUSH brush = CreateSolidBrush(fill);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

Canvas::~Canvas() {
    if (bitmap_) {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
    }
    if (dc_) DeleteDC(dc_);
}

COLORREF Canvas::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    GdiFlush();
    const DWORD p = static_cast<const DWORD*>(bits_)[static_cast<std::size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Canvas::Count(const RECT& rect, COLORREF colour) const {
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) count += Pixel(x, y) == colour;
    return count;
}

void Canvas::CopyScreen(const RECT& rect) {
    const HDC screen = GetDC(nullptr);
    BitBlt(dc_, 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, rect.left, rect.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
}

int Canvas::DistinctColours() const {
    std::set<COLORREF> colours;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) colours.insert(Pixel(x, y));
    return static_cast<int>(colours.size());
}

namespace {

void PutLittleEndian(std::string& out, DWORD value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool Canvas::WriteBmp(const std::string& path) const {
    if (!bits_) return false;
    const DWORD stride = (static_cast<DWORD>(width_) * 3 + 3) & ~DWORD{3};
    const DWORD imageSize = stride * static_cast<DWORD>(height_);
    std::string out = "BM";
    PutLittleEndian(out, 54 + imageSize, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 54, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<DWORD>(width_), 4);
    PutLittleEndian(out, static_cast<DWORD>(height_), 4);  // rows bottom-up
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 24, 2);
    PutLittleEndian(out, BI_RGB, 4);
    PutLittleEndian(out, imageSize, 4);
    out.append(16, '\0');
    for (int y = height_ - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width_; ++x) {
            const COLORREF c = Pixel(x, y);
            row += static_cast<char>(GetBValue(c));
            row += static_cast<char>(GetGValue(c));
            row += static_cast<char>(GetRValue(c));
        }
        row.resize(stride, '\0');
        out += row;
    }
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
