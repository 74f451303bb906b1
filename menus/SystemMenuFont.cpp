#include "menus/SystemMenuFont.h"

#include <cstddef>

UniqueFont CreateSystemMenuFont() {
    // The structure as every Windows version knows it, without the later
    // iPaddedBorderWidth field: 340 bytes in the ANSI form.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof metrics.lfMessageFont;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return nullptr;
    return UniqueFont(CreateFontIndirectA(&metrics.lfMenuFont));
}
