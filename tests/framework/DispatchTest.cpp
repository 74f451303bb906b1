#include "FrameworkTestIds.h"
#include "FrameworkTestSupport.h"
#include "SmartControl.h"
#include "SmartSubclassWindow.h"
#include "WindowRegistry.h"

namespace {

using DispatchTest = FrameworkTest;

HWND CreateChild(const char* className, DWORD style, HWND parent, int id) {
    return CreateWindowA(className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 80, 60, parent,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleA(nullptr),
                         nullptr);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A window that chooses from a popup menu by keys once the menu waits.
class MenuChooser : public RecordingWindow {
  public:
    using RecordingWindow::RecordingWindow;
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ENTERIDLE && !keysSent) {
            keysSent = true;
            PostMessageA(hwnd(), WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(hwnd(), WM_KEYDOWN, VK_RETURN, 0);
        }
        return SmartWindow::DefaultProc(message, wParam, lParam);
    }
    bool keysSent = false;
};

// A subclassed child that writes its owner-drawing calls into the log.
class DrawingChild : public SmartSubclassWindow {
  public:
    explicit DrawingChild(Log* log) : log_(log) { SetLabel(this, "child"); }
    void OnDrawItem(DRAWITEMSTRUCT* item) override {
        log_->push_back("OnDrawItem child " + std::to_string(item->CtlID) + " " +
                        MessageName(currentMessage()));
    }

  private:
    Log* log_;
};

}  // namespace

TEST_F(DispatchTest, CommandCallsHandlersInOrder) {
    Log log;
    MenuChooser parent(&log);
    SmartControl button(10), list(12);
    SetLabel(&button, "button");
    SetLabel(&list, "list");
    ASSERT_TRUE(parent.CreateDefault());
    CreateChild("BUTTON", BS_PUSHBUTTON, parent.hwnd(), 10);
    const HWND plainButton = CreateChild("BUTTON", BS_PUSHBUTTON, parent.hwnd(), 11);
    const HWND listBox = CreateChild("LISTBOX", LBS_NOTIFY, parent.hwnd(), 12);
    for (const char* text : {"ソ", "表", "a"})
        SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    BindDialogControls(parent.node());
    ASSERT_TRUE(button.IsBound() && list.IsBound());
    const auto commandCalls = [&] { return Only(log, {"OnCommand", "OnControl", "After WM_COMMAND"}); };

    log.clear();
    button.SendMsg(BM_CLICK);
    EXPECT_EQ(
        (Log{"OnCommandId 10", "OnControlClicked 10 button", "OnCommand 0 10 button", "After WM_COMMAND"}),
        commandCalls());

    log.clear();
    SendMessageA(plainButton, BM_CLICK, 0, 0);
    EXPECT_EQ((Log{"OnCommandId 11", "OnControlClicked 11 none", "OnCommand 0 11 none", "After WM_COMMAND"}),
              commandCalls());

    log.clear();
    list.SendMsg(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ((Log{"OnCommandId 12", "OnControlNotify 1 12 list", "OnCommand 1 12 list", "After WM_COMMAND"}),
              commandCalls());

    ASSERT_TRUE(parent.LoadPopupMenu(MAKEINTRESOURCEA(IDM_TEST_MENU), IDM_TEST_SHOW));
    log.clear();
    TrackPopupMenu(parent.popupMenu(), TPM_RIGHTBUTTON, 20, 20, 0, parent.hwnd(), nullptr);
    PumpMessages();
    EXPECT_TRUE(parent.keysSent);
    EXPECT_EQ((Log{"OnCommandId 2001", "OnCommand 0 2001 null", "After WM_COMMAND"}), commandCalls());
    parent.Destroy();
}

TEST_F(DispatchTest, ResultIsZeroForHandledMessages) {
    Log log;
    RecordingWindow window(&log);
    ASSERT_TRUE(window.CreateDefault());
    window.fixedDefault = true;
    window.fixedDefaultResult = 77;
    window.trayResult = 55;
    NMHDR header{window.hwnd(), 5, 0};
    CREATESTRUCTA create{};
    create.lpCreateParams = static_cast<SmartWindow*>(&window);
    MEASUREITEMSTRUCT measure{};
    struct Row {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT expected;
        bool byDefault;  // handled by DefaultProc alone
    };
    const Row rows[] = {
        {WM_PAINT, 0, 0, 0, false},
        {WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header), 0, false},
        {WM_KEYDOWN, 'A', 0, 0, false},
        {WM_CREATE, 0, reinterpret_cast<LPARAM>(&create), 77, false},
        {TrayCallbackMessage, 3, WM_MBUTTONDOWN, 55, false},
        {WM_USER + 1, 1, 2, 77, true},
        {WM_SETCURSOR, 0, 0, 77, true},
        {WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure), 77, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(MessageName(row.message));
        log.clear();
        EXPECT_EQ(row.expected, window.SendMsg(row.message, row.wParam, row.lParam));
        EXPECT_EQ(Log{"After " + MessageName(row.message)}, Only(log, {"After "}));
        if (row.byDefault) {
            EXPECT_EQ((Log{"Default " + MessageName(row.message), "After " + MessageName(row.message)}), log);
        }
    }
    window.fixedDefault = false;
    window.Destroy();
}

TEST_F(DispatchTest, DecodesSignedCoordinatesAndUnsignedWords) {
    Log log;
    RecordingWindow window(&log);
    ASSERT_TRUE(window.CreateDefault());
    struct Row {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string expected;
    };
    const Row rows[] = {
        {WM_SIZE, 0, MAKELPARAM(40000, 100), "OnSize 0 -25536 100"},
        {WM_SIZE, 2, MAKELPARAM(800, 65535), "OnSize 2 800 -1"},
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(65535, 32767), "OnMouseMove 1 -1 32767"},
        {WM_CONTEXTMENU, 0, MAKELPARAM(65526, 5), "OnContextMenu -10 5"},
        {WM_SYSCOMMAND, 0xF1F0, MAKELPARAM(40000, 50000), "OnSysCommand 0xF1F0 40000 50000"},
        {WM_HSCROLL, MAKEWPARAM(5, 60000), 0, "OnHScroll 5 60000"},
        {WM_MENUSELECT, MAKEWPARAM(40001, 0x8090), 0, "OnMenuSelect 40001 0x8090"},
        {WM_INITMENUPOPUP, 0, MAKELPARAM(3, 1), "OnInitMenuPopup 0x0 3 1"},
        {WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0, "OnActivate 0 1"},
        {WM_KEYDOWN, VK_F5, 0, "OnKeyDown 0x74"},
    };
    for (const Row& row : rows) {
        log.clear();
        window.SendMsg(row.message, row.wParam, row.lParam);
        EXPECT_EQ(Log{row.expected}, Only(log, {"On"})) << MessageName(row.message);
    }
    window.Destroy();
}

TEST_F(DispatchTest, ActivationRulesDependOnKind) {
    Log log;
    RecordingWindow window(&log);
    ASSERT_TRUE(window.CreateDefault());
    struct Row {
        WindowKind kind;
        UINT state;
        bool becomesActive;
    };
    const Row rows[] = {
        {WindowKind::Plain, WA_INACTIVE, true},    {WindowKind::Plain, WA_ACTIVE, true},
        {WindowKind::Dialog, WA_INACTIVE, false},  {WindowKind::Dialog, WA_ACTIVE, true},
        {WindowKind::Control, WA_INACTIVE, false}, {WindowKind::Control, WA_CLICKACTIVE, true},
    };
    for (const Row& row : rows) {
        SetActiveWindowObject(nullptr);
        window.SetKind(row.kind);
        window.SendMsg(WM_ACTIVATE, row.state, 0);
        EXPECT_EQ(row.becomesActive ? &window : nullptr, ActiveWindow())
            << static_cast<int>(row.kind) << " " << row.state;
    }
    window.SetKind(WindowKind::Plain);
    window.Destroy();
    EXPECT_EQ(nullptr, ActiveWindow()) << "cleared when its window is destroyed";

    auto other = std::make_unique<RecordingWindow>(&log);
    SetActiveWindowObject(other.get());
    other.reset();
    EXPECT_EQ(nullptr, ActiveWindow()) << "cleared when the object is destroyed";
}

TEST_F(DispatchTest, DrawItemReachesTheChildObjectFirst) {
    Log log;
    RecordingWindow parent(&log);
    DrawingChild child(&log);
    // A popup shown without activation is painted but not managed, so it
    // goes away without the wait for a window manager.
    ASSERT_TRUE(parent.CreateDefault(nullptr, WS_POPUP));
    parent.Show(SW_SHOWNOACTIVATE);
    const HWND drawn = CreateChild("BUTTON", BS_OWNERDRAW, parent.hwnd(), 21);
    CreateChild("BUTTON", BS_OWNERDRAW, parent.hwnd(), 22);
    ASSERT_TRUE(child.Subclass(drawn));
    child.SendMsg(WM_USER + 9);  // what the child dispatched last

    DRAWITEMSTRUCT item{};
    const auto drawItem = [&](UINT id) {
        log.clear();
        item.CtlID = id;
        parent.SendMsg(WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&item));
        return Only(log, {"OnDrawItem"});
    };
    EXPECT_EQ((Log{"OnDrawItem child 21 WM_DRAWITEM", "OnDrawItem window 21"}), drawItem(21));
    EXPECT_EQ(MessageName(WM_USER + 9), MessageName(child.currentMessage()));
    EXPECT_EQ((Log{"OnDrawItem window 22"}), drawItem(22)) << "a child without an object";
    EXPECT_EQ((Log{"OnDrawItem window 0"}), drawItem(0)) << "a menu item";

    log.clear();
    InvalidateRect(drawn, nullptr, TRUE);
    UpdateWindow(drawn);
    EXPECT_EQ((Log{"OnDrawItem child 21 WM_DRAWITEM", "OnDrawItem window 21"}), Only(log, {"OnDrawItem"}))
        << "painting the owner-drawn button";
    child.Unsubclass();
    parent.Destroy();
}

TEST_F(DispatchTest, TrayCallbackBringsWindowForwardOnPressOnly) {
    Log log;
    RecordingWindow window(&log), other(&log, "other");
    ASSERT_TRUE(window.CreateDefault());
    ASSERT_TRUE(other.CreateDefault());
    SetCursorPos(321, 123);
    POINT cursor;
    GetCursorPos(&cursor);
    const std::string where = " 7 " + std::to_string(cursor.x) + " " + std::to_string(cursor.y);
    struct Row {
        UINT mouseMessage;
        std::string handler;  // empty: OnTrayMessage only
        bool foreground;
    };
    const Row rows[] = {
        {WM_MOUSEMOVE, "OnTrayMouseMove", false},
        {WM_LBUTTONDOWN, "OnTrayLButtonDown", true},
        {WM_LBUTTONUP, "OnTrayLButtonUp", false},
        {WM_LBUTTONDBLCLK, "OnTrayLButtonDblClk", false},
        {WM_RBUTTONDOWN, "OnTrayRButtonDown", true},
        {WM_RBUTTONUP, "OnTrayRButtonUp", false},
        {WM_MBUTTONDOWN, "", false},
    };
    for (const Row& row : rows) {
        SetForegroundWindow(other.hwnd());
        ASSERT_EQ(other.hwnd(), GetForegroundWindow());
        log.clear();
        window.SendMsg(TrayCallbackMessage, 7, row.mouseMessage);
        Log expected{"OnTrayMessage 7 " + Hex(row.mouseMessage)};
        if (!row.handler.empty())
            expected.push_back(row.handler + where + (row.foreground ? " foreground" : ""));
        EXPECT_EQ(expected, Only(log, {"OnTray"}));
    }

    MSG posted;
    ASSERT_TRUE(PeekMessageA(&posted, window.hwnd(), WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE))
        << "a right-button release asks for the context menu";
    EXPECT_EQ(reinterpret_cast<WPARAM>(window.hwnd()), posted.wParam);
    EXPECT_EQ(MAKELPARAM(cursor.x, cursor.y), posted.lParam);
    EXPECT_FALSE(PeekMessageA(&posted, window.hwnd(), WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE));
    window.Destroy();
    other.Destroy();
}
