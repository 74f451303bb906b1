#pragma once
// A 32-bit top-down DIB section with its own memory DC, for painting tests
// and screenshots.
#include <windows.h>

#include <string>

class Canvas {
  public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool ok() const { return bits_ != nullptr; }
    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The colour at (x, y) as a COLORREF; CLR_INVALID outside.
    COLORREF Pixel(int x, int y) const;
    // Pixels of rect whose colour is colour.
    int Count(const RECT& rect, COLORREF colour) const;
    // Copies what the screen shows in rect (screen coordinates) to (0, 0).
    void CopyScreen(const RECT& rect);
    int DistinctColours() const;
    // 24-bit BMP; false when the file cannot be written.
    bool WriteBmp(const std::string& path) const;

  private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};
