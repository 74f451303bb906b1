// Template 104: frame, the one command id, the texts that name the product,
// and the three icons a created dialog shows.
#include "DialogTemplateReader.h"
#include "TestResources.h"
#include "resource.h"

#include <gtest/gtest.h>

TEST(AboutDialog, FrameTextsAndIds)
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

    ASSERT_EQ(dialog->items.size(), 10u);
    for (size_t i = 0; i < dialog->items.size(); ++i) {
        EXPECT_EQ(dialog->items[i].id, i == 2 ? IDOK : -1) << "control " << i;
    }
    EXPECT_EQ(dialog->items[2].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(dialog->items[1].caption, "Kwibra for Win32");
    EXPECT_EQ(dialog->items[2].caption, "OK");
    EXPECT_EQ(dialog->items[3].caption, "クウィブラ for Win32 Version 1.95");
    EXPECT_FALSE(dialog->items[4].caption.empty());
    EXPECT_NE(dialog->items[6].caption.find('@'), std::string::npos);
    EXPECT_NE(dialog->items[9].caption.find("https://"), std::string::npos);
    EXPECT_EQ(dialog->items[5].captionOrdinal, IDI_KWIBRA);
    EXPECT_EQ(dialog->items[7].captionOrdinal, IDI_DOWN_ARROW);
    EXPECT_EQ(dialog->items[8].captionOrdinal, IDI_DOWN_ARROW);
}

TEST(AboutDialog, CreatedDialogShowsItsIcons)
{
    WindowHandle window = CreateHiddenDialog(IDD_ABOUT);
    ASSERT_TRUE(window);
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
