#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A picture in top-down rows of 0x00RRGGBB pixels.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
};

// What the screen shows in the window's client area (it must be visible).
// Without a window manager the frame and caption are not drawn, so they
// are left out.
Picture CaptureClientArea(HWND window);

// Draws onto a fresh picture of the given size, filled with background first.
template <typename Paint>
Picture PaintPicture(int width, int height, COLORREF background, Paint paint);

int CountDistinctColours(const Picture& picture);

// 24-bit BMP; false when the file cannot be written.
bool WriteBitmapFile(const Picture& picture, const std::string& path);

// Shows the window at the top left of the screen and lets it paint.
void ShowForCapture(HWND window);

// ---- template implementation ----

class PictureDc {
  public:
    PictureDc(int width, int height);
    ~PictureDc();
    PictureDc(const PictureDc&) = delete;
    PictureDc& operator=(const PictureDc&) = delete;
    HDC dc() const { return dc_; }
    bool ok() const { return bits_ != nullptr; }
    Picture Take() const;

  private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

template <typename Paint>
Picture PaintPicture(int width, int height, COLORREF background, Paint paint) {
    PictureDc target(width, height);
    if (!target.ok()) {
        return {};
    }
    RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(target.dc(), &all, brush);
    DeleteObject(brush);
    paint(target.dc());
    return target.Take();
}
