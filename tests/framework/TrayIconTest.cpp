#include <optional>
#include <string>

#include "FrameworkTestIds.h"
#include "FrameworkTestSupport.h"
#include "TrayIcon.h"

namespace {

class TrayIconTest : public FrameworkTest {
  protected:
    // The notification area hides its window when its last icon goes, which
    // costs seconds without a window manager; one icon stays for the suite.
    static void SetUpTestSuite() {
        anchorWindow = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        anchor = NOTIFYICONDATAA{};
        anchor.cbSize = NOTIFYICONDATAA_V1_SIZE;
        anchor.hWnd = anchorWindow;
        anchor.uID = 99;
        anchor.uFlags = NIF_ICON;
        anchor.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        Shell_NotifyIconA(NIM_ADD, &anchor);
    }
    static void TearDownTestSuite() {
        Shell_NotifyIconA(NIM_DELETE, &anchor);
        DestroyWindow(anchorWindow);
    }

    void SetUp() override {
        FrameworkTest::SetUp();
        app.reset();
        app = std::make_unique<TestApp>("クウィブラ表");
        app->SetStartup(instance(), SW_SHOWNORMAL, "");
        ASSERT_TRUE(window.CreateDefault());
    }
    void TearDown() override {
        window.Destroy();
        FrameworkTest::TearDown();
    }

    Log log;
    RecordingWindow window{&log};
    static HWND anchorWindow;
    static NOTIFYICONDATAA anchor;
};

HWND TrayIconTest::anchorWindow = nullptr;
NOTIFYICONDATAA TrayIconTest::anchor{};

HICON MakeIcon() {
    const BYTE andMask[32 * 4] = {};
    BYTE xorMask[32 * 4];
    for (BYTE& b : xorMask) b = 0xA5;
    return CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 1, andMask, xorMask);
}

bool IconAlive(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return true;
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return mask.bmWidth;
}

}  // namespace

// Without a notification area under test the platform's answer varies, so
// these tests check what the object holds, not what Add returned.
TEST_F(TrayIconTest, AddFillsTheFirstLayout) {
    const HICON smallIcon = MakeIcon();
    window.SendMsg(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    TrayIcon tray;
    EXPECT_FALSE(tray.IsAdded());
    tray.Add(window.hwnd(), 5, nullptr, nullptr);
    EXPECT_TRUE(tray.IsAdded()) << "added even if the platform refused";
    const NOTIFYICONDATAA& data = tray.data();
    EXPECT_EQ(static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE), data.cbSize);
    if (sizeof(void*) == 4) {
        EXPECT_EQ(88u, data.cbSize);
    }
    EXPECT_EQ(window.hwnd(), data.hWnd);
    EXPECT_EQ(5u, data.uID);
    EXPECT_EQ(7u, data.uFlags);
    EXPECT_EQ(0x48Eu, data.uCallbackMessage);
    EXPECT_EQ(smallIcon, data.hIcon) << "the window's small icon";
    EXPECT_STREQ("クウィブラ表", data.szTip) << "the application title";

    const HICON other = MakeIcon();
    EXPECT_FALSE(tray.Add(window.hwnd(), 6, other, "別"));
    EXPECT_EQ(5u, tray.iconId());
    EXPECT_EQ(smallIcon, tray.icon());
    EXPECT_STREQ("クウィブラ表", tray.tip());
    DestroyIcon(other);
}

TEST_F(TrayIconTest, TipIsCutTo63BytesWithoutSplittingACharacter) {
    struct Row {
        std::string tip;
        std::string expected;
    };
    const Row rows[] = {
        {std::string(70, 'a'), std::string(63, 'a')},
        {std::string(63, 'b'), std::string(63, 'b')},
        {std::string(62, 'c') + "表", std::string(62, 'c')},
        {std::string(61, 'd') + "表", std::string(61, 'd') + "表"},
        {std::string(60, 'e') + "ソソ", std::string(60, 'e') + "ソ"},
        {"ソフト", "ソフト"},
        {"", ""},
    };
    for (const Row& row : rows) {
        TrayIcon tray;
        tray.Add(window.hwnd(), 1, MakeIcon(), row.tip.c_str());
        EXPECT_EQ(row.expected, tray.tip());
    }
}

TEST_F(TrayIconTest, ChangingTheImageDestroysTheHeldIcons) {
    const HICON first = MakeIcon(), second = MakeIcon(), third = MakeIcon();
    TrayIcon tray;
    tray.Add(window.hwnd(), 2, first, "表");
    tray.SetIcon(second);
    EXPECT_FALSE(IconAlive(first));
    EXPECT_EQ(second, tray.icon());
    EXPECT_EQ(static_cast<UINT>(NIF_ICON), tray.flags());
    tray.SetIcon(third);
    EXPECT_FALSE(IconAlive(second));
    EXPECT_TRUE(IconAlive(third));
    EXPECT_EQ(third, tray.icon());

    tray.SetIconResource(MAKEINTRESOURCEA(IDI_TEST));
    EXPECT_FALSE(IconAlive(third));
    EXPECT_EQ(16, IconWidth(tray.icon())) << "loaded as a small icon";

    const HICON loaded = tray.icon();
    EXPECT_FALSE(tray.SetIconResource(MAKEINTRESOURCEA(999)));
    EXPECT_FALSE(IconAlive(loaded));
    EXPECT_EQ(nullptr, tray.icon()) << "a missing resource leaves no icon";
    EXPECT_TRUE(tray.IsAdded());
}

TEST_F(TrayIconTest, RemoveKeepsTheIconAndAllowsAnotherAdd) {
    TrayIcon tray;
    EXPECT_FALSE(tray.Remove()) << "not added";
    const HICON first = MakeIcon();
    tray.Add(window.hwnd(), 3, first, "表");
    tray.Remove();
    EXPECT_FALSE(tray.IsAdded());
    EXPECT_EQ(static_cast<UINT>(NIF_ICON), tray.flags());
    EXPECT_EQ(first, tray.icon());
    EXPECT_TRUE(IconAlive(first)) << "Remove does not destroy the icon";
    EXPECT_FALSE(tray.Remove());

    const HICON notTaken = MakeIcon();
    EXPECT_FALSE(tray.SetIcon(notTaken)) << "not added";
    EXPECT_FALSE(IconAlive(first));
    EXPECT_EQ(nullptr, tray.icon());
    DestroyIcon(notTaken);

    const HICON second = MakeIcon(), third = MakeIcon();
    tray.Add(window.hwnd(), 4, second, nullptr);
    EXPECT_TRUE(tray.IsAdded());
    tray.Remove();
    tray.Add(window.hwnd(), 4, third, nullptr);
    EXPECT_FALSE(IconAlive(second)) << "an icon held from before is not lost";
    EXPECT_EQ(third, tray.icon());

    std::optional<TrayIcon> scoped(std::in_place);
    scoped->Add(window.hwnd(), 9, MakeIcon(), nullptr);
    const HICON held = scoped->icon();
    ASSERT_TRUE(IconAlive(held));
    scoped.reset();
    EXPECT_FALSE(IconAlive(held)) << "the destructor destroys the held icon";
}
