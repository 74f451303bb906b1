#include <string>

#include "FrameworkTestIds.h"
#include "FrameworkTestSupport.h"
#include "WindowClass.h"

namespace {

class WindowOperationsTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        app.reset();
        app = std::make_unique<TestApp>("試験ソフト");
        app->SetStartup(instance(), SW_SHOWNORMAL, "");
    }
};

std::string WindowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// What a message box showed; the box is closed with OK as soon as it is seen.
struct SeenBox {
    std::string caption, text;
    HWND owner = nullptr;
} seenBox;

BOOL CALLBACK CloseMessageBox(HWND window, LPARAM) {
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
    seenBox.caption = WindowText(window);
    char text[256] = "";
    GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
    seenBox.text = text;
    seenBox.owner = GetWindow(window, GW_OWNER);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK LookForMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!EnumThreadWindows(GetCurrentThreadId(), CloseMessageBox, 0)) KillTimer(nullptr, timer);
}

}  // namespace

TEST_F(WindowOperationsTest, CreateUsesTheDefaultsAndRefusesABoundObject) {
    Log log;
    RecordingWindow window(&log);
    ASSERT_TRUE(window.Create(nullptr, nullptr, nullptr, WS_OVERLAPPEDWINDOW, 0, 5, 6, 120, 80, nullptr));
    EXPECT_EQ("試験ソフト", WindowText(window.hwnd()));
    char className[64] = "";
    GetClassNameA(window.hwnd(), className, sizeof className);
    EXPECT_STREQ(DefaultClassName, className);

    const HWND first = window.hwnd();
    EXPECT_FALSE(window.Create("二", nullptr, nullptr, WS_OVERLAPPED, 0, 0, 0, 10, 10, nullptr));
    EXPECT_EQ(first, window.hwnd());
    window.Destroy();
}

TEST_F(WindowOperationsTest, PreCreateWindowMayChangeTheParameters) {
    class Adjusting : public RecordingWindow {
      public:
        using RecordingWindow::RecordingWindow;
        void PreCreateWindow(CREATESTRUCTA* create) override {
            seenId = reinterpret_cast<UINT_PTR>(create->hMenu);
            seenParameter = create->lpCreateParams;
            create->hMenu = reinterpret_cast<HMENU>(66);
            create->lpszName = "表示";
        }
        UINT_PTR seenId = 0;
        void* seenParameter = nullptr;
    };
    Log log;
    RecordingWindow parent(&log);
    Adjusting child(&log);
    ASSERT_TRUE(parent.CreateDefault());
    ASSERT_TRUE(child.CreateDefault(parent.hwnd(), 0, 55));
    EXPECT_EQ(55u, child.seenId);
    EXPECT_EQ(static_cast<SmartWindow*>(&child), child.seenParameter);
    EXPECT_EQ(66u, child.id());
    EXPECT_EQ(66, GetDlgCtrlID(child.hwnd()));
    EXPECT_EQ("表示", WindowText(child.hwnd()));
    parent.Destroy();
    EXPECT_FALSE(child.IsBound()) << "destroyed with its parent";
}

TEST_F(WindowOperationsTest, CreateFailsWithoutAUsableClass) {
    Log log;
    RecordingWindow window(&log);
    EXPECT_FALSE(window.Create(nullptr, "KwibraNoSuchClass", nullptr, 0, 0, 0, 0, 10, 10, nullptr));
    FreeRegisteredClassName();
    EXPECT_FALSE(window.CreateDefault());
    EXPECT_FALSE(window.IsBound());
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowOperationsTest, OperationsOnAnUnboundObjectDoNothing) {
    Log log;
    RecordingWindow window(&log);
    window.Show(SW_SHOW);
    window.Destroy();
    EXPECT_EQ(0, window.SendMsg(WM_GETTEXTLENGTH));
    EXPECT_EQ(0u, window.SetStyle(WS_POPUP));
    EXPECT_TRUE(log.empty());

    ASSERT_TRUE(window.CreateDefault(nullptr, WS_POPUP));
    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
    window.Show(SW_SHOWNOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
    window.Destroy();
}

TEST_F(WindowOperationsTest, SetStyleKeepsTheWindowRectangle) {
    Log log;
    RecordingWindow window(&log);
    ASSERT_TRUE(window.CreateDefault());
    RECT before{}, after{};
    GetWindowRect(window.hwnd(), &before);
    const auto previous = static_cast<DWORD>(GetWindowLongPtrA(window.hwnd(), GWL_STYLE));

    EXPECT_EQ(previous, window.SetStyle(WS_POPUP | WS_BORDER));
    const auto now = static_cast<DWORD>(GetWindowLongPtrA(window.hwnd(), GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_BORDER), now & (WS_POPUP | WS_CAPTION | WS_THICKFRAME));
    GetWindowRect(window.hwnd(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    window.Destroy();
}

TEST_F(WindowOperationsTest, LoadPopupMenuReplacesTheMenuShownByContextMenu) {
    Log log;
    RecordingWindow window(&log);
    ASSERT_TRUE(window.CreateDefault());
    ASSERT_TRUE(window.LoadPopupMenu(MAKEINTRESOURCEA(IDM_TEST_MENU), IDM_TEST_SHOW));
    const HMENU first = window.loadedMenu();
    EXPECT_EQ(GetSubMenu(first, 0), window.popupMenu());
    EXPECT_EQ(IDM_TEST_SHOW, GetMenuDefaultItem(window.popupMenu(), FALSE, 0));

    ASSERT_TRUE(window.LoadPopupMenu(MAKEINTRESOURCEA(IDM_TEST_MENU_OTHER), IDM_TEST_OTHER));
    EXPECT_FALSE(IsMenu(first)) << "the first menu is destroyed";
    EXPECT_EQ(UINT(IDM_TEST_OTHER), GetMenuItemID(window.popupMenu(), 0));
    EXPECT_EQ(IDM_TEST_OTHER, GetMenuDefaultItem(window.popupMenu(), FALSE, 0));

    log.clear();
    window.SendMsg(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.hwnd()), MAKELPARAM(30, 40));
    EXPECT_EQ((Log{"OnContextMenu 30 40",
                   "OnInitMenuPopup " + Hex(reinterpret_cast<UINT_PTR>(window.popupMenu())) + " 0 0"}),
              Only(log, {"OnContextMenu", "OnInitMenuPopup"}));

    const HMENU second = window.loadedMenu();
    EXPECT_FALSE(window.LoadPopupMenu(MAKEINTRESOURCEA(999), 0));
    EXPECT_FALSE(IsMenu(second));
    EXPECT_EQ(nullptr, window.loadedMenu());
    EXPECT_EQ(nullptr, window.popupMenu());

    ASSERT_TRUE(window.LoadPopupMenu(MAKEINTRESOURCEA(IDM_TEST_MENU), IDM_TEST_OPEN));
    const HMENU third = window.loadedMenu();
    window.Destroy();
    EXPECT_FALSE(IsMenu(third)) << "destroyed with the window";
    EXPECT_EQ(nullptr, window.popupMenu());

    HMENU neverShown = nullptr;
    {
        RecordingWindow unbound(&log);
        ASSERT_TRUE(unbound.LoadPopupMenu(MAKEINTRESOURCEA(IDM_TEST_MENU), IDM_TEST_OPEN));
        neverShown = unbound.loadedMenu();
    }
    EXPECT_FALSE(IsMenu(neverShown)) << "destroyed with the object";
}

TEST_F(WindowOperationsTest, ShowMessageUsesTheTitleAsDefaultCaption) {
    Log log;
    RecordingWindow window(&log);
    struct Row {
        bool bound;
        const char* caption;
        std::string expectedCaption;
    };
    const Row rows[] = {
        {false, nullptr, "試験ソフト"},
        {true, "題名", "題名"},
    };
    for (const Row& row : rows) {
        if (row.bound && !window.IsBound()) {
            ASSERT_TRUE(window.CreateDefault());
        }
        seenBox = SeenBox{};
        SetTimer(nullptr, 0, 20, LookForMessageBox);
        EXPECT_EQ(IDOK, window.ShowMessage("本文ソ", row.caption, MB_OKCANCEL));
        EXPECT_EQ(row.expectedCaption, seenBox.caption);
        EXPECT_EQ("本文ソ", seenBox.text);
        EXPECT_EQ(window.hwnd(), seenBox.owner);
    }
    window.Destroy();
}
