// Measuring and painting owner-drawn entries with real fonts, icons and a
// memory device context.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "Canvas.h"
#include "MenuTestSupport.h"
#include "menus/FixedIcons.h"
#include "menus/OwnerDraw.h"
#include "menus/SystemMenuFont.h"

namespace {

constexpr COLORREF Untouched = RGB(255, 0, 255);

UniqueFont FontOfHeight(int pixels) {
    return UniqueFont(CreateFontA(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0,
                                  0, "MS UI Gothic"));
}

struct TextMetrics {
    int height;
    int width;
};

// The text's extent in font, measured without the menu code.
TextMetrics Extent(HFONT font, const std::string& text) {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return {metrics.tmHeight, size.cx};
}

int ImageListIconWidth(const PhraseItem& item) {
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(item.iconHandle), &width, &height);
    return width;
}

class OwnerDraw : public ::testing::Test {
  protected:
    void SetUp() override {
        static ShellPlatform shell;
        InstallPlatform(&shell);
        ASSERT_TRUE(icons.Load(GetModuleHandleA(nullptr)));
        iconSize = 16;
    }
    SIZE Measure(PhraseItem& item, HFONT font) {
        const HDC dc = GetWindowDC(nullptr);
        SIZE size{};
        EXPECT_TRUE(MeasureEntry(item, dc, font, &size));
        ReleaseDC(nullptr, dc);
        return size;
    }
    static PhraseItem Item(const char* line) {
        PhraseItem item;
        item.Parse(line, false);
        return item;
    }
    FixedIcons icons;
};

TEST_F(OwnerDraw, MeasureFollowsTheFontHeight) {
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    const int menuBar = GetSystemMetrics(SM_CYMENU);
    for (int pixels : {9, 12, 20, 25, 26, 27, 28, 30, 40}) {
        const UniqueFont font = FontOfHeight(pixels);
        PhraseItem item = Item("表示と入力");
        const TextMetrics text = Extent(font.get(), "表示と入力");
        const int height = std::max(text.height + 1, menuBar);
        const int size = height < 28 ? 16 : 32;
        const SIZE measured = Measure(item, font.get());
        EXPECT_EQ(iconSize, size) << pixels;
        EXPECT_EQ(measured.cy, std::max(height, size)) << pixels;
        EXPECT_EQ(measured.cx, text.width + 2 * size + 15 - check) << pixels;
    }
}

TEST_F(OwnerDraw, MnemonicMarkTakesNoWidth) {
    const UniqueFont font = FontOfHeight(14);
    PhraseItem marked = Item("メモ帳 (&N)");
    PhraseItem plain = Item("メモ帳 (N)");
    EXPECT_EQ(Measure(marked, font.get()).cx, Measure(plain, font.get()).cx);
}

TEST_F(OwnerDraw, SystemMenuFontGivesSmallIcons) {
    const UniqueFont font = CreateSystemMenuFont();
    ASSERT_TRUE(font);
    PhraseItem drive = Item(" * C:\\");
    ASSERT_TRUE(drive.HasIcon());
    const SIZE size = Measure(drive, font.get());
    EXPECT_EQ(iconSize, 16);
    EXPECT_GE(size.cy, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(ImageListIconWidth(drive), GetSystemMetrics(SM_CXSMICON));
}

TEST_F(OwnerDraw, LargeFontTakesShellIconsFromTheLargeList) {
    const UniqueFont large = FontOfHeight(40);
    const UniqueFont small = FontOfHeight(12);
    PhraseItem drive = Item(" * C:\\");
    Measure(drive, large.get());
    ASSERT_EQ(iconSize, 32);
    ASSERT_GT(drive.iconState, 0);
    EXPECT_EQ(ImageListIconWidth(drive), GetSystemMetrics(SM_CXICON));
    Measure(drive, small.get());
    ASSERT_EQ(iconSize, 16);
    EXPECT_EQ(ImageListIconWidth(drive), GetSystemMetrics(SM_CXSMICON));
}

TEST_F(OwnerDraw, DrawFillsTheIconBoxAndTheBackground) {
    const UniqueFont font = FontOfHeight(12);
    PhraseItem label = Item(" + 表示 : 内容");
    ASSERT_EQ(label.iconHandle, LabelIcon);
    const COLORREF menu = GetSysColor(COLOR_MENU);
    const RECT rect{0, 0, 200, 24};  // e = (24 - 16 - 3) / 2 = 2

    Canvas plain(200, 24, Untouched);
    ASSERT_TRUE(DrawEntry(label, plain.dc(), font.get(), &rect, false));
    EXPECT_EQ(plain.Pixel(5, 1), Untouched);    // above the icon box
    EXPECT_EQ(plain.Pixel(0, 2), menu);         // the box begins at top + e
    EXPECT_EQ(plain.Pixel(19, 21), menu);       // and is s + 4 wide and high
    EXPECT_EQ(plain.Pixel(5, 22), Untouched);   // below it
    EXPECT_EQ(plain.Pixel(20, 12), Untouched);  // between box and background
    EXPECT_EQ(plain.Pixel(21, 0), menu);
    EXPECT_EQ(plain.Pixel(199, 23), menu);
    // The 16x16 icon at (2, 4) is painted, the frame around it is not.
    EXPECT_LT(plain.Count({2, 4, 18, 20}, menu), 16 * 16 - 40);
    EXPECT_EQ(plain.Count({0, 2, 20, 4}, menu), 20 * 2);
    EXPECT_GT(plain.Count({23, 0, 184, 24}, GetSysColor(COLOR_MENUTEXT)), 10);

    Canvas selected(200, 24, Untouched);
    ASSERT_TRUE(DrawEntry(label, selected.dc(), font.get(), &rect, true));
    EXPECT_EQ(selected.Pixel(0, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(selected.Pixel(10, 2), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(selected.Pixel(19, 12), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(selected.Pixel(10, 21), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(selected.Pixel(1, 12), menu);
    EXPECT_EQ(selected.Pixel(21, 0), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(selected.Pixel(199, 23), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(selected.Count({23, 0, 184, 24}, GetSysColor(COLOR_HIGHLIGHTTEXT)), 10);
    EXPECT_EQ(selected.Count({23, 0, 184, 24}, GetSysColor(COLOR_MENUTEXT)), 0);
}

TEST_F(OwnerDraw, EntryWithoutIconIsFilledFromTheLeft) {
    const UniqueFont font = FontOfHeight(12);
    PhraseItem text = Item("にゃお！");
    ASSERT_FALSE(text.HasIcon());
    const RECT rect{0, 0, 120, 20};
    Canvas selected(120, 20, Untouched);
    DrawEntry(text, selected.dc(), font.get(), &rect, true);
    EXPECT_EQ(selected.Count({0, 0, 23, 20}, GetSysColor(COLOR_HIGHLIGHT)), 23 * 20);
    // The text begins where it would beside an icon.
    EXPECT_EQ(selected.Count({0, 0, 23, 20}, GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);
    EXPECT_GT(selected.Count({23, 0, 104, 20}, GetSysColor(COLOR_HIGHLIGHTTEXT)), 10);
    EXPECT_FALSE(DrawEntry(text, selected.dc(), font.get(), nullptr, true));
}

TEST_F(OwnerDraw, FixedIconsAreStretchedAtThirtyTwoPixels) {
    const UniqueFont large = FontOfHeight(40);
    PhraseItem label = Item(" + 表示 : 内容");
    Measure(label, large.get());
    ASSERT_EQ(iconSize, 32);
    const COLORREF menu = GetSysColor(COLOR_MENU);
    const RECT rect{0, 0, 300, 40};  // e = (40 - 32 - 3) / 2 = 2
    Canvas canvas(300, 40, Untouched);
    DrawEntry(label, canvas.dc(), large.get(), &rect, false);
    EXPECT_EQ(canvas.Pixel(0, 2), menu);
    EXPECT_EQ(canvas.Pixel(35, 37), menu);
    EXPECT_EQ(canvas.Pixel(36, 20), Untouched);
    EXPECT_EQ(canvas.Pixel(37, 0), menu);
    // The lower right quarter of the 32x32 icon at (2, 4) holds picture too.
    EXPECT_LT(canvas.Count({18, 20, 34, 36}, menu), 16 * 16 - 20);
}

TEST_F(OwnerDraw, ShellIconIsLookedUpAgainWhenTheImageListChanged) {
    const UniqueFont font = FontOfHeight(12);
    PhraseItem drive = Item(" * C:\\");
    Measure(drive, font.get());
    ASSERT_GT(drive.iconState, 0);
    const int count = drive.iconState;
    drive.iconState = count + 1;
    const RECT rect{0, 0, 120, 24};
    Canvas canvas(120, 24, Untouched);
    DrawEntry(drive, canvas.dc(), font.get(), &rect, false);
    EXPECT_EQ(drive.iconState, ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(drive.iconHandle)));
    EXPECT_LT(canvas.Count({2, 4, 18, 20}, GetSysColor(COLOR_MENU)), 16 * 16 - 20);
}

TEST_F(OwnerDraw, MissingSizeIsRefused) {
    PhraseItem item = Item("a");
    const HDC dc = GetWindowDC(nullptr);
    EXPECT_FALSE(MeasureEntry(item, dc, nullptr, nullptr));
    ReleaseDC(nullptr, dc);
}

}  // namespace
