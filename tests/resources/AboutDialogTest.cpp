#include "DialogTemplateReader.h"
#include "TestResources.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <iterator>

namespace {

struct AboutRow {
    const char* className;
    DWORD kind;      // the button or static type
    DWORD extra;     // further styles that must be set
    DWORD exStyle;
    RECT position;   // x, y and, unless an icon, right and bottom
    int icon;        // an icon resource in place of a caption
};

constexpr RECT At(LONG x, LONG y, LONG cx, LONG cy)
{
    return RECT{x, y, x + cx, y + cy};
}

const AboutRow AboutControls[] = {
    {"BUTTON", BS_GROUPBOX, 0, 0, At(7, 7, 217, 63), 0},
    {"STATIC", SS_CENTER, WS_DISABLED, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, At(55, 7, 123, 13), 0},
    {"BUTTON", BS_DEFPUSHBUTTON, WS_TABSTOP, 0, At(162, 15, 54, 14), 0},
    {"STATIC", SS_CENTER, 0, 0, At(48, 31, 143, 8), 0},
    {"STATIC", SS_LEFT, 0, 0, At(96, 42, 122, 8), 0},
    {"STATIC", SS_ICON, 0, 0, At(19, 23, 0, 0), IDI_KWIBRA},
    {"STATIC", SS_RIGHT, 0, 0, At(94, 50, 84, 8), 0},
    {"STATIC", SS_ICON, 0, 0, At(72, 40, 0, 0), IDI_DOWN_ARROW},
    {"STATIC", SS_ICON, 0, 0, At(55, 40, 0, 0), IDI_DOWN_ARROW},
    {"STATIC", SS_RIGHT, 0, 0, At(56, 59, 157, 8), 0},
};

DWORD KindOf(const DialogItemTemplate& item)
{
    return item.style & (item.className == "BUTTON" ? BS_TYPEMASK : SS_TYPEMASK);
}

}  // namespace

TEST(AboutDialog, FrameCaptionAndFont)
{
    std::optional<DialogTemplate> dialog = ReadDialogTemplate(IDD_ABOUT);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->caption, "クウィブラのバージョン情報");
    EXPECT_EQ(dialog->pointSize, 10);
    EXPECT_EQ(dialog->typeface, "ＭＳ Ｐゴシック");
    EXPECT_EQ(dialog->rect.right - dialog->rect.left, 231);
    EXPECT_EQ(dialog->rect.bottom - dialog->rect.top, 77);
    EXPECT_TRUE(dialog->style & WS_CAPTION);
    EXPECT_FALSE(dialog->style & WS_VISIBLE);
}

TEST(AboutDialog, ControlsInOrder)
{
    std::optional<DialogTemplate> dialog = ReadDialogTemplate(IDD_ABOUT);
    ASSERT_TRUE(dialog.has_value());
    ASSERT_EQ(dialog->items.size(), std::size(AboutControls));
    for (size_t i = 0; i < std::size(AboutControls); ++i) {
        const DialogItemTemplate& item = dialog->items[i];
        const AboutRow& row = AboutControls[i];
        SCOPED_TRACE(testing::Message() << "control " << i);
        EXPECT_EQ(item.className, row.className);
        EXPECT_EQ(KindOf(item), row.kind);
        EXPECT_EQ(item.style & row.extra, row.extra);
        EXPECT_TRUE(item.style & WS_VISIBLE);
        EXPECT_EQ(item.exStyle, row.exStyle);
        EXPECT_EQ(item.rect.left, row.position.left);
        EXPECT_EQ(item.rect.top, row.position.top);
        if (row.icon) {
            EXPECT_EQ(item.captionOrdinal, row.icon);
        }
        else {
            EXPECT_EQ(item.rect.right, row.position.right);
            EXPECT_EQ(item.rect.bottom, row.position.bottom);
            EXPECT_EQ(item.captionOrdinal, 0);
        }
        EXPECT_EQ(item.id, i == 2 ? IDOK : -1);
    }
}

TEST(AboutDialog, TextsNameTheProductAndVersion)
{
    std::optional<DialogTemplate> dialog = ReadDialogTemplate(IDD_ABOUT);
    ASSERT_TRUE(dialog.has_value());
    ASSERT_EQ(dialog->items.size(), std::size(AboutControls));
    EXPECT_EQ(dialog->items[1].caption, "Kwibra for Win32");
    EXPECT_EQ(dialog->items[2].caption, "OK");
    EXPECT_EQ(dialog->items[3].caption, "クウィブラ for Win32 Version 1.95");
    EXPECT_FALSE(dialog->items[4].caption.empty());
    EXPECT_NE(dialog->items[6].caption.find('@'), std::string::npos);
    EXPECT_NE(dialog->items[9].caption.find("https://"), std::string::npos);
}

TEST(AboutDialog, CreatedDialogShowsItsIcons)
{
    WindowHandle window = CreateHiddenDialog(IDD_ABOUT);
    ASSERT_TRUE(window);
    EXPECT_FALSE(IsWindowVisible(window.get()));
    char text[64] = {};
    GetWindowTextA(window.get(), text, sizeof(text));
    EXPECT_STREQ(text, "クウィブラのバージョン情報");
    EXPECT_NE(GetDlgItem(window.get(), IDOK), nullptr);
    int icons = 0;
    for (HWND child = GetWindow(window.get(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            char className[32] = {};
            GetClassNameA(child, className, sizeof(className));
            if (lstrcmpiA(className, "Static") == 0) {
                EXPECT_NE(SendMessageA(child, STM_GETICON, 0, 0), 0);
                ++icons;
            }
        }
    }
    EXPECT_EQ(icons, 3);
}
