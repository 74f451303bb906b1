#include "menus/OwnerDraw.h"

#include "CommonControls.h"

#include <algorithm>
#include <climits>
#include <string>

#include "data/PhraseItem.h"
#include "menus/DeferredIcons.h"
#include "menus/GdiHandles.h"

namespace {

// Texts of menu entries are short, but a length never overflows the int of DrawText.
int TextLength(std::size_t size) { return static_cast<int>(std::min<std::size_t>(size, INT_MAX)); }

// The label as the menu shows it; a history entry that Shift-JIS cannot hold
// shows its exact characters.
void DrawLabel(HDC dc, const PhraseItem& item, RECT* rect, UINT format) {
    if (item.exact) {
        const std::wstring label(item.exact->label.begin(), item.exact->label.end());
        DrawTextW(dc, label.c_str(), TextLength(label.size()), rect, format);
        return;
    }
    const std::string& text = item.DisplayText();
    DrawTextA(dc, text.c_str(), TextLength(text.size()), rect, format);
}

HIMAGELIST ImageList(const PhraseItem& item) { return reinterpret_cast<HIMAGELIST>(item.iconHandle); }

int FloorHalf(int value) { return value >= 0 ? value / 2 : -((1 - value) / 2); }

// The layout's gaps are set for 96 dots per inch and grow with the display's
// (the program is DPI aware, so nothing else scales them).
int Scaled(HDC dc, int pixels) { return MulDiv(pixels, GetDeviceCaps(dc, LOGPIXELSY), 96); }

// The system image list holds another number of images than when the icon
// was looked up, so the index may now name another picture.
void RefreshStaleIcon(PhraseItem& item) {
    if (item.iconState > 0 && ImageListCount(ImageList(item)) != item.iconState) item.ResolveIcon();
}

void DrawIcon(const PhraseItem& item, HDC dc, int x, int y, int size) {
    if (item.iconState > 0)
        DrawImageListIcon(ImageList(item), item.iconIndex, dc, x, y, ILD_TRANSPARENT);
    else
        DrawIconEx(dc, x, y, reinterpret_cast<HICON>(item.iconHandle), size, size, 0, nullptr, DI_NORMAL);
}

class TextSettings {
  public:
    TextSettings(HDC dc, COLORREF colour)
        : dc_(dc), colour_(SetTextColor(dc, colour)), mode_(SetBkMode(dc, TRANSPARENT)) {}
    ~TextSettings() {
        SetBkMode(dc_, mode_);
        SetTextColor(dc_, colour_);
    }
    TextSettings(const TextSettings&) = delete;
    TextSettings& operator=(const TextSettings&) = delete;

  private:
    HDC dc_;
    COLORREF colour_;
    int mode_;
};

}  // namespace

bool MeasureEntry(PhraseItem& item, HDC dc, HFONT font, SIZE* size) {
    if (!size) return false;
    ResolveDeferredIcon(item);
    RECT bounds{0, 0, 0, 0};
    {
        const int mapMode = SetMapMode(dc, MM_TEXT);
        SelectedObject selected(dc, font);
        // Without DT_VCENTER: some implementations centre the computed
        // rectangle on the empty one and report half the height.
        DrawLabel(dc, item, &bounds, DT_CALCRECT | DT_SINGLELINE);
        if (mapMode) SetMapMode(dc, mapMode);
    }
    int height = std::max<int>(bounds.bottom - bounds.top + 1, GetSystemMetrics(SM_CYMENU));
    iconSize = GetSystemMetrics(height < Scaled(dc, 28) ? SM_CXSMICON : SM_CXICON);
    item.ResolveIcon();
    height = std::max(height, iconSize);
    size->cx =
        (bounds.right - bounds.left) + 2 * iconSize + Scaled(dc, 15) - GetSystemMetrics(SM_CXMENUCHECK);
    size->cy = height;
    return true;
}

bool DrawEntry(PhraseItem& item, HDC dc, HFONT font, const RECT* rect, bool selected) {
    if (!rect) return false;
    const int s = iconSize;
    const int margin = Scaled(dc, 2);
    const int e = FloorHalf(rect->bottom - rect->top - s - Scaled(dc, 3));
    if (item.HasIcon()) RefreshStaleIcon(item);
    const bool hasIcon = item.HasIcon();
    if (hasIcon) {
        RECT box{rect->left, rect->top + e, rect->left + s + 2 * margin, rect->top + e + s + 2 * margin};
        FillRect(dc, &box, GetSysColorBrush(COLOR_MENU));
        if (selected) DrawEdge(dc, &box, BDR_RAISEDINNER, BF_RECT);
        DrawIcon(item, dc, rect->left + margin, rect->top + e + margin, s);
    }
    RECT background = *rect;
    if (hasIcon) background.left = rect->left + s + Scaled(dc, 5);
    FillRect(dc, &background, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));

    RECT textRect{rect->left + s + Scaled(dc, 7), rect->top, rect->right - s, rect->bottom};
    SelectedObject selectedFont(dc, font);
    TextSettings settings(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    DrawLabel(dc, item, &textRect, DT_SINGLELINE | DT_VCENTER);
    return true;
}
