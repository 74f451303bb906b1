#include "FrameworkFixture.h"
#include "CommonWindowProc.h"
#include "SmartControl.h"

namespace {

using FrameworkDispatch = FrameworkTest;

HWND Child(const char* className, HWND parent, int id, DWORD style = 0) {
    return CreateWindowA(className, "", WS_CHILD | style, 0, 0, 80, 60, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

TEST_F(FrameworkDispatch, CommandHandlersRunInOrderThenAfterMessage) {
    RecordingWindow parent(&log);
    ASSERT_TRUE(parent.CreatePlain());
    SmartControl bound(10), list(12);
    Child("BUTTON", parent.hwnd(), 10);
    const HWND plain = Child("BUTTON", parent.hwnd(), 11);
    const HWND listBox = Child("LISTBOX", parent.hwnd(), 12, LBS_NOTIFY);
    SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("ソ"));
    BindDialogControls(parent.node());
    const std::tuple<HWND, UINT, WPARAM, const char*> rows[] = {
        {bound.hwnd(), BM_CLICK, 0, "OnCommandId 10, OnControlClicked 10 object, OnCommand 0 10 object"},
        {plain, BM_CLICK, 0, "OnCommandId 11, OnControlClicked 11 none, OnCommand 0 11 none"},
        {list.hwnd(), WM_KEYDOWN, VK_DOWN,
         "OnCommandId 12, OnControlNotify 1 12 object, OnCommand 1 12 object"},
        {parent.hwnd(), WM_COMMAND, 2001, "OnCommandId 2001, OnCommand 0 2001 none"},
    };
    for (const auto& [target, message, wParam, expected] : rows) {
        log.clear();
        SendMessageA(target, message, wParam, 0);
        EXPECT_EQ(std::string(expected) + ", After 273", Only(log, {"OnCommand", "OnControl", "After 273"}));
    }
    UnbindChildControls(&parent);
    EXPECT_FALSE(bound.IsBound());
    EXPECT_NE(reinterpret_cast<LONG_PTR>(CommonWindowProc), GetWindowLongPtrA(listBox, GWLP_WNDPROC))
        << "an unbound control has its own procedure back";
}

TEST_F(FrameworkDispatch, EachMessageReachesItsHandlerDecodedAndAfterMessageOnce) {
    RecordingWindow window(&log);
    ASSERT_TRUE(window.CreatePlain());
    log.clear();
    window.SendMsg(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(65535, 32767));  // coordinates are signed
    EXPECT_EQ("OnMouseMove 1 -1 32767, " + Entry("After", WM_MOUSEMOVE), Only(log, {"On", "After"}));
    log.clear();
    window.SendMsg(WM_USER + 1);  // a message without handler goes to DefaultProc
    EXPECT_EQ(Entry("Default", WM_USER + 1) + ", " + Entry("After", WM_USER + 1),
              Only(log, {"On", "After", "Default"}));
}

TEST_F(FrameworkDispatch, ActiveObjectFollowsActivationByKind) {
    RecordingWindow window(&log);
    ASSERT_TRUE(window.CreatePlain());
    const std::tuple<WindowKind, UINT, bool> rows[] = {{WindowKind::Plain, WA_INACTIVE, true},
                                                       {WindowKind::Dialog, WA_INACTIVE, false},
                                                       {WindowKind::Dialog, WA_ACTIVE, true},
                                                       {WindowKind::Control, WA_INACTIVE, false}};
    for (const auto& [kind, state, becomesActive] : rows) {
        SetActiveWindowObject(nullptr);
        window.SetKind(kind);
        window.SendMsg(WM_ACTIVATE, state, 0);
        EXPECT_EQ(becomesActive ? &window : nullptr, ActiveWindow()) << static_cast<int>(kind);
    }
    window.SetKind(WindowKind::Plain);
    auto other = std::make_unique<RecordingWindow>(&log);
    SetActiveWindowObject(other.get());
    other.reset();
    EXPECT_EQ(nullptr, ActiveWindow()) << "a destroyed object is never the active one";
}

// A subclassed child that notes which message it is handling while it draws.
struct DrawingChild : SmartSubclassWindow {
    void OnDrawItem(DRAWITEMSTRUCT*) override { drawnDuring = currentMessage(); }
    UINT drawnDuring = 0;
};

TEST_F(FrameworkDispatch, ChildDrawsItsItemFirstAndKeepsItsCurrentMessage) {
    RecordingWindow parent(&log);
    ASSERT_TRUE(parent.CreatePlain());
    DrawingChild child;
    ASSERT_TRUE(child.Subclass(Child("BUTTON", parent.hwnd(), 7, BS_OWNERDRAW)));
    child.SendMsg(WM_USER + 5);
    DRAWITEMSTRUCT item{};
    item.CtlID = 7;
    parent.SendMsg(WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(static_cast<UINT>(WM_DRAWITEM), child.drawnDuring);
    EXPECT_EQ(static_cast<UINT>(WM_USER + 5), child.currentMessage());
    EXPECT_EQ("OnDrawItem 7", Only(log, {"OnDrawItem"}));
}

TEST_F(FrameworkDispatch, LifetimeFromCreationToTheLastWindow) {
    RecordingWindow window(&log);
    ASSERT_TRUE(window.CreatePlain());
    EXPECT_EQ("OnCreate", log.front()) << "messages before WM_CREATE never reach the object";
    const HWND stranger = CreateWindowA(DefaultClassName, "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                        static_cast<SmartWindow*>(&window));
    EXPECT_EQ(nullptr, FindWindowObject(stranger)) << "a bound object is never taken over by another window";
    DestroyWindow(stranger);

    DrawingChild child;
    ASSERT_TRUE(child.Subclass(Child("BUTTON", window.hwnd(), 3)));
    SetMainWindowHandle(window.hwnd());
    log.clear();
    window.Destroy();
    EXPECT_EQ("OnDestroy, After 2", Only(log, {"OnDestroy", "After 2"}));
    EXPECT_FALSE(window.IsBound() || child.IsBound());
    EXPECT_EQ(1, app.lastWindowCalls);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "the main window quits the loop";

    RecordingWindow parent(&log);  // the class is forgotten with the main window: named here
    ASSERT_TRUE(
        parent.Create("parent", DefaultClassName, nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 0, 9, 9, nullptr));
    ASSERT_TRUE(child.Subclass(Child("BUTTON", parent.hwnd(), 4))) << "the object is free for another window";
    child.SendMsg(WM_USER + 9);
    EXPECT_EQ(static_cast<UINT>(WM_USER + 9), child.currentMessage());
}

}  // namespace
