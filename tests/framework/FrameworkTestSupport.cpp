#include "FrameworkTestSupport.h"

#include <cstdio>
#include <map>

#include "SmartDialog.h"
#include "WindowClass.h"
#include "WindowRegistry.h"

namespace {
std::map<const SmartWindow*, std::string>& Labels() {
    static std::map<const SmartWindow*, std::string> labels;
    return labels;
}

std::string TemplateText(LPCSTR dialogTemplate) {
    if (IS_INTRESOURCE(dialogTemplate)) return std::to_string(reinterpret_cast<UINT_PTR>(dialogTemplate));
    return dialogTemplate;
}
}  // namespace

std::string Hex(UINT_PTR value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

std::string MessageName(UINT message) {
    static const std::map<UINT, const char*> names = {
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_COMMAND, "WM_COMMAND"},
        {WM_SIZE, "WM_SIZE"},
        {WM_PAINT, "WM_PAINT"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_NOTIFY, "WM_NOTIFY"},
        {WM_SETCURSOR, "WM_SETCURSOR"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_DRAWITEM, "WM_DRAWITEM"},
        {WM_INITDIALOG, "WM_INITDIALOG"},
        {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
        {WM_MEASUREITEM, "WM_MEASUREITEM"},
        {TrayCallbackMessage, "TrayCallbackMessage"},
    };
    const auto found = names.find(message);
    return found != names.end() ? found->second : Hex(message);
}

Log Only(const Log& log, std::initializer_list<const char*> prefixes) {
    Log kept;
    for (const std::string& entry : log) {
        for (const char* prefix : prefixes) {
            if (entry.rfind(prefix, 0) == 0) {
                kept.push_back(entry);
                break;
            }
        }
    }
    return kept;
}

int DrainMessages() {
    int quitCode = -1000;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) quitCode = static_cast<int>(message.wParam);
    }
    return quitCode;
}

void SetLabel(const SmartWindow* window, const std::string& label) { Labels()[window] = label; }

std::string Label(const SmartWindow* window) {
    if (!window) return "none";
    const auto found = Labels().find(window);
    return found != Labels().end() ? found->second : "unlabelled";
}

void FrameworkTest::SetUp() {
    app = std::make_unique<TestApp>();
    app->SetStartup(instance(), SW_SHOWNORMAL, "");
    WNDCLASSA windowClass;
    FillDefaultWindowClass(&windowClass);
    ASSERT_NE(0, RegisterWindowClass(&windowClass));
    DrainMessages();
}

void FrameworkTest::TearDown() {
    EXPECT_TRUE(NoWindowBound()) << "a test left a bound window behind";
    DrainMessages();
    UnregisterClassA(DefaultClassName, instance());
    FreeRegisteredClassName();
    SetMainWindowHandle(nullptr);
    SetActiveWindowObject(nullptr);
    Labels().clear();
    app.reset();
}

RecordingWindow::RecordingWindow(Log* log, const char* label) : log_(log) { SetLabel(this, label); }

RecordingWindow::~RecordingWindow() { Destroy(); }

bool RecordingWindow::CreateDefault(HWND parent, DWORD style, int id) {
    if (parent) style |= WS_CHILD;
    return Create(nullptr, nullptr, parent, style, 0, 10, 10, 200, 150,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

LRESULT RecordingWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    Write("Default " + MessageName(message));
    if (message == WM_ENTERIDLE && leaveMenusAlone) PostMessageA(hwnd(), WM_CANCELMODE, 0, 0);
    if (fixedDefault) return fixedDefaultResult;
    return SmartWindow::DefaultProc(message, wParam, lParam);
}

void RecordingWindow::AfterMessage(UINT message, WPARAM, LPARAM) { Write("After " + MessageName(message)); }

void RecordingWindow::OnDrawItem(DRAWITEMSTRUCT* item) {
    Write("OnDrawItem " + Label(this) + " " + std::to_string(item ? item->CtlID : 0));
}

void RecordingWindow::OnActivate(UINT state, HWND otherWindow, UINT minimized) {
    Write("OnActivate " + std::to_string(state) + " " + std::to_string(minimized));
    SmartWindow::OnActivate(state, otherWindow, minimized);
}

LRESULT RecordingWindow::OnCreate(CREATESTRUCTA* create) {
    Write("OnCreate");
    return SmartWindow::OnCreate(create);
}

void RecordingWindow::OnSize(WPARAM type, int width, int height) {
    Write("OnSize " + std::to_string(type) + " " + std::to_string(width) + " " + std::to_string(height));
}

void RecordingWindow::OnMouseMove(WPARAM keys, int x, int y) {
    Write("OnMouseMove " + std::to_string(keys) + " " + std::to_string(x) + " " + std::to_string(y));
}

void RecordingWindow::OnContextMenu(HWND window, int x, int y) {
    Write("OnContextMenu " + std::to_string(x) + " " + std::to_string(y));
    SmartWindow::OnContextMenu(window, x, y);
}

void RecordingWindow::OnKeyDown(WPARAM key, LPARAM flags) {
    Write("OnKeyDown " + Hex(key));
    SmartWindow::OnKeyDown(key, flags);
}

void RecordingWindow::OnSysCommand(WPARAM command, UINT x, UINT y) {
    Write("OnSysCommand " + Hex(command) + " " + std::to_string(x) + " " + std::to_string(y));
}

void RecordingWindow::OnHScroll(UINT code, UINT position, HWND) {
    Write("OnHScroll " + std::to_string(code) + " " + std::to_string(position));
}

void RecordingWindow::OnDestroy() {
    Write("OnDestroy");
    SmartWindow::OnDestroy();
}

void RecordingWindow::OnInitMenuPopup(HMENU menu, UINT position, UINT systemMenu) {
    Write("OnInitMenuPopup " + Hex(reinterpret_cast<UINT_PTR>(menu)) + " " + std::to_string(position) + " " +
          std::to_string(systemMenu));
    SmartWindow::OnInitMenuPopup(menu, position, systemMenu);
}

void RecordingWindow::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
    Write("OnMenuSelect " + std::to_string(item) + " " + Hex(flags));
    SmartWindow::OnMenuSelect(item, flags, menu);
}

void RecordingWindow::OnCommand(UINT code, UINT id, HWND control) {
    const SmartWindow* object = FindWindowObject(control);
    Write("OnCommand " + std::to_string(code) + " " + std::to_string(id) + " " +
          (control ? Label(object) : std::string("null")));
    SmartWindow::OnCommand(code, id, control);
}

void RecordingWindow::OnControlClicked(UINT id, SmartWindow* control) {
    Write("OnControlClicked " + std::to_string(id) + " " + Label(control));
}

void RecordingWindow::OnControlNotify(UINT code, UINT id, SmartWindow* control) {
    Write("OnControlNotify " + std::to_string(code) + " " + std::to_string(id) + " " + Label(control));
}

void RecordingWindow::OnCommandId(UINT id) { Write("OnCommandId " + std::to_string(id)); }

void RecordingWindow::WriteTray(const char* name, WPARAM iconId, int x, int y) {
    const bool foreground = GetForegroundWindow() == hwnd();
    Write(std::string(name) + " " + std::to_string(iconId) + " " + std::to_string(x) + " " +
          std::to_string(y) + (foreground ? " foreground" : ""));
}

void RecordingWindow::OnTrayMouseMove(WPARAM id, int x, int y) { WriteTray("OnTrayMouseMove", id, x, y); }
void RecordingWindow::OnTrayLButtonDown(WPARAM id, int x, int y) { WriteTray("OnTrayLButtonDown", id, x, y); }
void RecordingWindow::OnTrayLButtonDblClk(WPARAM id, int x, int y) {
    WriteTray("OnTrayLButtonDblClk", id, x, y);
}
void RecordingWindow::OnTrayLButtonUp(WPARAM id, int x, int y) { WriteTray("OnTrayLButtonUp", id, x, y); }
void RecordingWindow::OnTrayRButtonDown(WPARAM id, int x, int y) { WriteTray("OnTrayRButtonDown", id, x, y); }

void RecordingWindow::OnTrayRButtonUp(WPARAM id, int x, int y) {
    WriteTray("OnTrayRButtonUp", id, x, y);
    SmartWindow::OnTrayRButtonUp(id, x, y);
}

LRESULT RecordingWindow::OnTrayMessage(WPARAM wParam, LPARAM lParam) {
    Write("OnTrayMessage " + std::to_string(wParam) + " " + Hex(static_cast<UINT_PTR>(lParam)));
    return trayResult;
}

void RecordingWindow::WriteDialog(const char* name, LPCSTR dialogTemplate, SmartDialog* dialog) {
    Write(std::string(name) + " " + TemplateText(dialogTemplate) + " " + Label(dialog));
}

void RecordingWindow::OnDialogInit(LPCSTR t, SmartDialog* d) { WriteDialog("OnDialogInit", t, d); }
void RecordingWindow::PreDialogInit(LPCSTR t, SmartDialog* d) { WriteDialog("PreDialogInit", t, d); }
void RecordingWindow::OnDialogOk(LPCSTR t, SmartDialog* d) { WriteDialog("OnDialogOk", t, d); }
void RecordingWindow::PreDialogOk(LPCSTR t, SmartDialog* d) { WriteDialog("PreDialogOk", t, d); }
void RecordingWindow::OnDialogCancel(LPCSTR t, SmartDialog* d) { WriteDialog("OnDialogCancel", t, d); }
void RecordingWindow::PreDialogCancel(LPCSTR t, SmartDialog* d) { WriteDialog("PreDialogCancel", t, d); }
