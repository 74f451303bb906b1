// The application object as the hidden main window: clipboard notices,
// delivery through the clipboard, hotkeys, the viewer chain, reload and
// shutdown, on a real window and the real clipboard of Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "ClipboardTestSupport.h"
#include "MenuTestSupport.h"
#include "SmartDialog.h"
#include "WindowClass.h"
#include "WindowRegistry.h"
#include "app/ClipboardAccess.h"
#include "resource.h"

namespace {

constexpr const char* testClass = "KwibraMainWindowTest";
constexpr UINT smileId = FIRST_ITEM_COMMAND_ID + 1; // （＾＿＾） of the default list
const std::string smile = "\x81\x69\x81\x4F\x81\x51\x81\x4F\x81\x6A";

std::vector<std::string> HistoryContents(PhraseApp& app)
{
    std::vector<std::string> texts;
    for (int i = 0; i < EntryCount(app.HistoryMenu); ++i)
        texts.push_back(EntryAt(app.HistoryMenu, i).record->content);
    return texts;
}

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Posted& other) const
    {
        return message == other.message && wParam == other.wParam && lParam == other.lParam;
    }
};

std::ostream& operator<<(std::ostream& out, const Posted& posted)
{
    return out << "{" << std::hex << posted.message << ", " << std::dec << posted.wParam << ", " << posted.lParam
               << "}";
}

// Takes the messages posted to the window off the queue without running them.
std::vector<Posted> TakePosted(HWND window)
{
    std::vector<Posted> posted;
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE))
        posted.push_back({message.message, message.wParam, message.lParam});
    return posted;
}

// A window that records the clipboard-chain messages passed on to it.
class ChainRecorder {
public:
    ChainRecorder()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Record;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KwibraChainRecorder";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
        seen().clear();
    }
    ~ChainRecorder() { DestroyWindow(window_); }
    HWND window() const { return window_; }
    static std::vector<Posted>& seen()
    {
        static std::vector<Posted> messages;
        return messages;
    }

private:
    static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_DRAWCLIPBOARD || message == WM_CHANGECBCHAIN)
            seen().push_back({message, wParam, lParam});
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_;
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(app->LoadSettings(true), SettingsSource::Missing);
        ASSERT_TRUE(app->SaveSettings());
        WNDCLASSA windowClass;
        FillDefaultWindowClass(&windowClass);
        windowClass.lpszClassName = testClass;
        RegisterWindowClass(&windowClass); // fails harmlessly once registered
        ASSERT_TRUE(app->Create("test", testClass, nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 0, 100, 100, nullptr));
        SetMainWindowHandle(app->hwnd());
        window = app->hwnd();
    }
    void TearDown() override
    {
        if (IsWindow(window))
            DestroyWindow(window);
        TakePosted(window);
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        SetMainWindowHandle(nullptr);
    }
    void ClipboardChanged() { SendMessageA(window, WM_DRAWCLIPBOARD, 0, 0); }

    TempDirectory directory;
    AppUnderTest app;
    HWND window = nullptr;
};

TEST_F(MainWindow, ClipboardChangesFeedTheHistoryUnlessPrivateOrEmpty)
{
    const std::string longText = std::string(2046, 'x') + "\x95\x5C";
    const struct {
        const char* name;
        std::vector<ClipboardFormat> formats;
        std::vector<std::string> history;
    } cases[] = {
        {"text", {{nullptr, std::string("\x83\x5C\x95\x5C") + '\0'}}, {"\x83\x5C\x95\x5C"}},
        {"empty text", {{nullptr, std::string(1, '\0')}}, {}},
        {"no text", {{"KwibraTestImage", DwordBytes(7)}}, {}},
        {"excluded from monitors",
         {{nullptr, std::string("pw") + '\0'}, {ExcludeFromMonitorFormat, DwordBytes(0)}},
         {}},
        {"viewer ignore", {{nullptr, std::string("pw") + '\0'}, {ViewerIgnoreFormat, DwordBytes(1)}}, {}},
        {"history forbidden", {{nullptr, std::string("pw") + '\0'}, {HistoryPermissionFormat, DwordBytes(0)}}, {}},
        {"history allowed",
         {{nullptr, std::string("ok") + '\0'}, {HistoryPermissionFormat, DwordBytes(1)}},
         {"ok"}},
        {"long text cut before a character", {{nullptr, longText + '\0'}}, {std::string(2046, 'x')}},
    };
    for (const auto& c : cases) {
        app->ClearHistory();
        SetClipboard(c.formats);
        ClipboardChanged();
        EXPECT_EQ(HistoryContents(*app), c.history) << c.name;
    }
}

TEST_F(MainWindow, DeliveryWritesTheClipboardPostsThePasteAndSkipsTheHistory)
{
    SetClipboardText("before");
    app->DeliverItem(smileId);
    EXPECT_EQ(ClipboardText(), smile);
    EXPECT_EQ(TakePosted(window), (std::vector<Posted>{{WM_COMMAND, IDM_PASTE, 0}}));
    EXPECT_TRUE(app->ignoreNextClipboardChange);

    ClipboardChanged(); // the notice of our own write
    EXPECT_FALSE(app->ignoreNextClipboardChange);
    EXPECT_EQ(HistoryContents(*app), std::vector<std::string>{});

    SetClipboardText("after");
    ClipboardChanged(); // the next copy in another program counts again
    EXPECT_EQ(HistoryContents(*app), std::vector<std::string>{"after"});
}

TEST_F(MainWindow, DeliveredTextIsMarkedForOtherWatchers)
{
    app->DeliverItem(smileId);
    ClipboardSession clipboard(nullptr);
    ASSERT_TRUE(clipboard.IsOpen());
    EXPECT_TRUE(ClipboardIsPrivate());
}

TEST_F(MainWindow, DeliveryGivesUpSilentlyOnAClipboardHeldElsewhere)
{
    SetClipboardText("before");
    {
        ClipboardHolder holder(INFINITE);
        app->DeliverItem(smileId);
    }
    EXPECT_EQ(ClipboardText(), "before");
    EXPECT_EQ(TakePosted(window), std::vector<Posted>{});
    EXPECT_FALSE(app->ignoreNextClipboardChange) << "the next real copy would be lost";
}

TEST_F(MainWindow, UnknownIdentifiersDeliverNothing)
{
    SetClipboardText("before");
    for (UINT id : {0u, 119u, 30000u, 35000u, 40003u})
        app->DeliverItem(id);
    EXPECT_EQ(ClipboardText(), "before");
    EXPECT_EQ(TakePosted(window), std::vector<Posted>{});
}

TEST_F(MainWindow, HotkeysOnlyPostWhatTheyAskFor)
{
    const struct {
        WPARAM id;
        std::vector<Posted> posted;
    } cases[] = {
        {0, {{WM_COMMAND, IDM_SHOW_MENU, 0}}},
        {1, {{WM_COMMAND, IDM_SHOW_MENU, 1}}},
        {2, {{WM_COMMAND, IDM_SHOW_MENU, 2}}},
        {3, {{WM_COMMAND, IDM_SHOW_MENU, 3}}},
        {smileId, {{WM_COMMAND, smileId, 0}}},
        {FIRST_ITEM_COMMAND_ID, {{WM_COMMAND, FIRST_ITEM_COMMAND_ID, 0}}},
    };
    for (const auto& c : cases) {
        SendMessageA(window, WM_HOTKEY, c.id, 0);
        EXPECT_EQ(TakePosted(window), c.posted) << "hotkey " << c.id;
    }
}

TEST_F(MainWindow, ClipboardChainFollowsLeavingViewers)
{
    ChainRecorder next;
    ChainRecorder other;
    app->nextViewer = next.window();
    SetClipboardText("x");
    app->ignoreNextClipboardChange = true;
    ClipboardChanged();
    ClipboardChanged();
    EXPECT_EQ(ChainRecorder::seen(), (std::vector<Posted>{{WM_DRAWCLIPBOARD, 0, 0}, {WM_DRAWCLIPBOARD, 0, 0}}))
        << "the next viewer hears of every change, our own included";

    ChainRecorder::seen().clear();
    const auto leaving = reinterpret_cast<WPARAM>(other.window());
    SendMessageA(window, WM_CHANGECBCHAIN, leaving, 0x1234);
    EXPECT_EQ(ChainRecorder::seen(), (std::vector<Posted>{{WM_CHANGECBCHAIN, leaving, 0x1234}}));
    EXPECT_EQ(app->nextViewer, next.window());

    ChainRecorder::seen().clear();
    SendMessageA(window, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(next.window()),
                 reinterpret_cast<LPARAM>(other.window()));
    EXPECT_EQ(app->nextViewer, other.window());
    EXPECT_EQ(ChainRecorder::seen(), std::vector<Posted>{});
}

TEST_F(MainWindow, AddClipboardIsEnabledOnlyWithText)
{
    SetClipboardText("text");
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(app->PhraseMenu), 1);
    EXPECT_EQ(GetMenuState(app->PhraseMenu, IDM_ADD_CLIPBOARD, MF_BYCOMMAND) & MF_GRAYED, 0u);
    SetClipboard({{"KwibraTestImage", DwordBytes(7)}});
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(app->PhraseMenu), 1);
    EXPECT_NE(GetMenuState(app->PhraseMenu, IDM_ADD_CLIPBOARD, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

TEST_F(MainWindow, AddClipboardWritesTheNewPhraseAtOnce)
{
    const struct {
        const char* name;
        std::vector<ClipboardFormat> formats;
        bool added;
    } cases[] = {
        {"text", {{nullptr, std::string("\x95\x5C\x8E\xA6") + '\0'}}, true},
        {"empty text", {{nullptr, std::string(1, '\0')}}, false},
        {"no text", {{"KwibraTestImage", DwordBytes(7)}}, false},
        {"private text, chosen by the user", {{nullptr, std::string("pw") + '\0'}, {ViewerIgnoreFormat, DwordBytes(0)}}, true},
    };
    for (const auto& c : cases) {
        const auto before = ListLinesOf(ReadBytes("kwibra.ini"));
        SetClipboard(c.formats);
        SendMessageA(window, WM_COMMAND, IDM_ADD_CLIPBOARD, 0);
        const auto after = ListLinesOf(ReadBytes("kwibra.ini"));
        EXPECT_EQ(after.size(), before.size() + (c.added ? 1 : 0)) << c.name;
    }
}

// Runs the settings template and the body while it is open.
class OpenDialog : public SmartDialog {
public:
    explicit OpenDialog(std::function<void(OpenDialog&)> body) : body_(std::move(body))
    {
        SetTemplate(IDD_SETTINGS, nullptr);
    }
    BOOL OnInitDialog(WPARAM, LPARAM) override
    {
        body_(*this);
        EndModal(1);
        return TRUE;
    }
    HWND list() const { return GetDlgItem(hwnd(), IDC_ITEM_LIST); }

private:
    std::function<void(OpenDialog&)> body_;
};

TEST_F(MainWindow, ReloadLeavesTheOpenDialogsEditsAlone)
{
    std::vector<LRESULT> counts;
    bool restored = false;
    int phrases = 0;
    OpenDialog dialog([&](OpenDialog& d) {
        SendMessageA(d.list(), LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("edited"));
        app->settingsDialog = &d;
        counts.push_back(SendMessageA(d.list(), LB_GETCOUNT, 0, 0));
        SendMessageA(window, WM_SETTINGCHANGE, 0, 0);
        counts.push_back(SendMessageA(d.list(), LB_GETCOUNT, 0, 0));
        restored = app->settingsDialog == &d;
        phrases = EntryCount(app->PhraseMenu);
        app->settingsDialog = nullptr;
    });
    dialog.ShowModal();
    EXPECT_EQ(counts, (std::vector<LRESULT>{1, 1}));
    EXPECT_TRUE(restored);
    EXPECT_EQ(phrases, 17 + 1 + 3) << "the menus were rebuilt from the file";
}

TEST_F(MainWindow, EndOfSessionSavesTheHistoryOnce)
{
    app->AddHistoryEntry("\x8E\x63\x82\xB7"); // 残す
    SendMessageA(window, WM_QUERYENDSESSION, 0, 0);
    const std::string saved = ReadBytes("clip.dat");
    ASSERT_NE(saved.find("\x8E\x63\x82\xB7"), std::string::npos);
    DestroyWindow(window); // the window may still go after the session's end
    EXPECT_EQ(ReadBytes("clip.dat"), saved);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(NonResidentMenu, AMenuThatCannotBeShownStillEndsTheProgram)
{
    TempDirectory directory;
    for (bool nonResident : {false, true}) {
        AppUnderTest app(nonResident);
        app->LoadSettings(true);
        WNDCLASSA windowClass;
        FillDefaultWindowClass(&windowClass);
        windowClass.lpszClassName = testClass;
        RegisterWindowClass(&windowClass);
        ASSERT_TRUE(app->Create("test", testClass, nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 0, 100, 100, nullptr));
        app->ShowMenu(40); // no popup at that position
        const auto posted = TakePosted(app->hwnd());
        if (nonResident)
            EXPECT_EQ(posted, (std::vector<Posted>{{WM_COMMAND, IDM_QUIT_RELAY1, 0}}));
        else
            EXPECT_EQ(posted, std::vector<Posted>{});
        DestroyWindow(app->hwnd());
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
}

} // namespace
