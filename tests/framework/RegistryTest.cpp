#include <algorithm>
#include <map>

#include "CommonWindowProc.h"
#include "FrameworkTestSupport.h"
#include "SmartControl.h"
#include "WindowClass.h"
#include "WindowRegistry.h"

namespace {

using RegistryTest = FrameworkTest;

std::vector<SmartWindow*> RegistryWalk() {
    std::vector<SmartWindow*> windows;
    for (RegistryNode* node = WindowRegistry::First(); node; node = node->next)
        windows.push_back(node->window);
    return windows;
}

// Every message sent to a window of this thread, in the order sent.
std::vector<std::pair<HWND, UINT>> sentMessages;

LRESULT CALLBACK WatchSentMessages(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    sentMessages.emplace_back(sent->hwnd, sent->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST_F(RegistryTest, KeepsObjectsInCreationOrder) {
    Log log;
    RecordingWindow first(&log);
    auto second = std::make_unique<RecordingWindow>(&log);
    RecordingWindow third(&log);
    EXPECT_EQ((std::vector<SmartWindow*>{&first, second.get(), &third}), RegistryWalk());
    EXPECT_EQ(&third, WindowRegistry::Last()->window);
    EXPECT_EQ(first.node(), WindowRegistry::First());

    second.reset();
    EXPECT_EQ((std::vector<SmartWindow*>{&first, &third}), RegistryWalk());
    EXPECT_EQ(first.node(), third.node()->previous);
    {
        RecordingWindow fourth(&log);
        EXPECT_EQ(&fourth, WindowRegistry::Last()->window);
    }
    EXPECT_EQ(&third, WindowRegistry::Last()->window);
    EXPECT_TRUE(IsRegistered(&first));
}

TEST_F(RegistryTest, FindsOnlyBoundObjects) {
    Log log;
    RecordingWindow one(&log), two(&log), unbound(&log);
    ASSERT_TRUE(one.CreateDefault());
    ASSERT_TRUE(two.CreateDefault());
    EXPECT_EQ(&one, FindWindowObject(one.hwnd()));
    EXPECT_EQ(&two, FindWindowObject(two.hwnd()));
    EXPECT_EQ(nullptr, FindWindowObject(nullptr)) << "the unbound object has a null handle too";
    EXPECT_EQ(nullptr, FindWindowObject(GetDesktopWindow()));

    const HWND gone = one.hwnd();
    one.Destroy();
    EXPECT_EQ(nullptr, one.hwnd());
    EXPECT_EQ(nullptr, FindWindowObject(gone));
    EXPECT_TRUE(IsRegistered(&one)) << "registered until destructed";
    two.Destroy();
}

TEST_F(RegistryTest, MessagesBeforeCreateGoToDefWindowProc) {
    Log log;
    RecordingWindow window(&log);
    sentMessages.clear();
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchSentMessages, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(window.CreateDefault());
    const HWND hwnd = window.hwnd();
    window.Destroy();
    UnhookWindowsHookEx(hook);

    std::vector<UINT> sent;
    for (const auto& [to, message] : sentMessages) {
        if (to == hwnd) sent.push_back(message);
    }
    const auto created = std::find(sent.begin(), sent.end(), UINT(WM_CREATE));
    const auto destroyed = std::find(sent.begin(), sent.end(), UINT(WM_DESTROY));
    ASSERT_TRUE(created < destroyed && destroyed != sent.end());
    EXPECT_NE(created, std::find(sent.begin(), created, UINT(WM_NCCREATE)))
        << "the platform did send WM_NCCREATE before WM_CREATE";
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("OnCreate", log.front());
    EXPECT_EQ(0, std::count(log.begin(), log.end(), "After WM_NCCREATE"));
    EXPECT_EQ(0, std::count(log.begin(), log.end(), "After WM_NCDESTROY"));

    // AfterMessage once for every message dispatched, from WM_CREATE to WM_DESTROY.
    std::map<std::string, int> expected, seen;
    for (auto it = created; it <= destroyed; ++it) ++expected["After " + MessageName(*it)];
    for (const std::string& entry : Only(log, {"After "})) ++seen[entry];
    EXPECT_EQ(expected, seen);
}

TEST_F(RegistryTest, CreateWithoutAFreeObjectBindsNothing) {
    Log log;
    RecordingWindow bound(&log);
    ASSERT_TRUE(bound.CreateDefault());
    const HWND boundWindow = bound.hwnd();
    int notAWindowObject = 0;
    void* const parameters[] = {nullptr, &notAWindowObject, static_cast<SmartWindow*>(&bound)};
    for (void* parameter : parameters) {
        log.clear();
        const HWND hwnd = CreateWindowExA(0, DefaultClassName, "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                                          nullptr, instance(), parameter);
        ASSERT_NE(nullptr, hwnd);
        EXPECT_EQ(nullptr, FindWindowObject(hwnd));
        EXPECT_EQ(boundWindow, bound.hwnd()) << "a bound object is not taken over";
        EXPECT_TRUE(log.empty());
        DestroyWindow(hwnd);
    }
    bound.Destroy();
    EXPECT_EQ(1, app->lastWindowCalls);
}

TEST_F(RegistryTest, MainWindowQuitsAndLastWindowIsReported) {
    Log log;
    RecordingWindow main(&log, "main"), other(&log, "other");
    ASSERT_TRUE(main.CreateDefault());
    ASSERT_TRUE(other.CreateDefault());
    SetMainWindowHandle(main.hwnd());

    main.Destroy();
    EXPECT_EQ(0, DrainMessages()) << "WM_QUIT with 0 while another window remains";
    EXPECT_EQ(nullptr, RegisteredClassName());
    EXPECT_EQ(0, app->lastWindowCalls);

    other.Destroy();
    EXPECT_EQ(1, app->lastWindowCalls) << "the last window need not be the main window";
    EXPECT_EQ(-1000, DrainMessages()) << "no quit for a window that is not the main one";
}

TEST_F(RegistryTest, DestroyedParentGivesControlsTheirProcedureBack) {
    // Records the child's procedure once the parent's WM_DESTROY is through.
    class Parent : public RecordingWindow {
      public:
        using RecordingWindow::RecordingWindow;
        void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_DESTROY) childProcedure = GetWindowLongPtrA(child, GWLP_WNDPROC);
            RecordingWindow::AfterMessage(message, wParam, lParam);
        }
        HWND child = nullptr;
        LONG_PTR childProcedure = 0;
    };
    Log log;
    SmartControl early(77);
    Parent parent(&log);
    SmartControl control(77);
    SmartControl twin(77);
    SmartControl staticText(0xFFFF);
    ASSERT_TRUE(parent.CreateDefault());
    parent.child = CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 50, 20, parent.hwnd(),
                                 reinterpret_cast<HMENU>(77), instance(), nullptr);
    const HWND label = CreateWindowA("STATIC", "表", WS_CHILD, 0, 30, 50, 20, parent.hwnd(),
                                     reinterpret_cast<HMENU>(0xFFFF), instance(), nullptr);
    ASSERT_NE(nullptr, label);
    const LONG_PTR original = GetWindowLongPtrA(parent.child, GWLP_WNDPROC);

    BindDialogControls(parent.node());
    EXPECT_EQ(nullptr, early.hwnd()) << "constructed before the parent object";
    EXPECT_EQ(parent.child, control.hwnd());
    EXPECT_EQ(nullptr, twin.hwnd()) << "one object per child window";
    EXPECT_EQ(nullptr, staticText.hwnd());
    EXPECT_TRUE(control.boundById());
    EXPECT_EQ(&parent, control.parent());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(CommonWindowProc), GetWindowLongPtrA(parent.child, GWLP_WNDPROC));

    parent.Destroy();
    EXPECT_EQ(original, parent.childProcedure);
    EXPECT_EQ(nullptr, control.hwnd());
    EXPECT_EQ(1, app->lastWindowCalls);
}
