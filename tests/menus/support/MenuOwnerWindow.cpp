#include "MenuOwnerWindow.h"

#include <cstring>

#include "app/PhraseApp.h"
#include "menus/Mnemonic.h"
#include "menus/OwnerDraw.h"

namespace {

constexpr const char* ClassName = "KwibraMenuOwnerTest";
constexpr UINT_PTR SafetyTimer = 0x7FFF;

void RegisterOnce() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = ClassName;
    registered = RegisterClassA(&windowClass) != 0;
}

BOOL CALLBACK AddMenuWindow(HWND window, LPARAM lParam) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32768") == 0 && IsWindowVisible(window)) {
        RECT r;
        GetWindowRect(window, &r);
        RECT& all = *reinterpret_cast<RECT*>(lParam);
        if (IsRectEmpty(&all))
            all = r;
        else
            UnionRect(&all, &all, &r);
    }
    return TRUE;
}

}  // namespace

MenuOwnerWindow::MenuOwnerWindow(PhraseApp* app, HFONT font) : app_(app), font_(font) {
    RegisterOnce();
    window_ = CreateWindowExA(0, ClassName, "menu owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuOwnerWindow::Procedure));
}

MenuOwnerWindow::~MenuOwnerWindow() {
    if (window_) DestroyWindow(window_);
}

UINT MenuOwnerWindow::Track(HMENU menu, int x, int y, std::function<void(HWND)> onIdle,
                            std::function<void(UINT_PTR)> onTimer) {
    idleSeen_ = false;
    onIdle_ = std::move(onIdle);
    onTimer_ = std::move(onTimer);
    SetForegroundWindow(window_);
    SetTimer(window_, SafetyTimer, 10000, nullptr);
    const BOOL result =
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, x, y, 0, window_, nullptr);
    KillTimer(window_, SafetyTimer);
    onIdle_ = nullptr;
    onTimer_ = nullptr;
    return static_cast<UINT>(result);
}

LRESULT CALLBACK MenuOwnerWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MenuOwnerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT MenuOwnerWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MEASUREITEM: {
            auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (app_) return app_->MeasureMenuEntry(measure);
            auto* item = reinterpret_cast<PhraseItem*>(measure.itemData);
            if (measure.CtlType != ODT_MENU || !item) return FALSE;
            const HDC dc = GetWindowDC(nullptr);
            SIZE size{};
            MeasureEntry(*item, dc, font_, &size);
            ReleaseDC(nullptr, dc);
            measure.itemWidth = static_cast<UINT>(size.cx);
            measure.itemHeight = static_cast<UINT>(size.cy);
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (app_) return app_->DrawMenuEntry(draw);
            auto* item = reinterpret_cast<PhraseItem*>(draw.itemData);
            return item &&
                   DrawEntry(*item, draw.hDC, font_, &draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
        }
        case WM_MENUCHAR:
            ++menuCharCount;
            return MatchMnemonic(wParam, lParam);
        case WM_ENTERIDLE:
            if (wParam == MSGF_MENU && !idleSeen_) {
                idleSeen_ = true;
                if (onIdle_) onIdle_(reinterpret_cast<HWND>(lParam));
            }
            return 0;
        case WM_TIMER:
            if (wParam == SafetyTimer)
                EndMenu();
            else if (onTimer_)
                onTimer_(wParam);
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

RECT OpenMenusRect() {
    RECT all{};
    EnumThreadWindows(GetCurrentThreadId(), AddMenuWindow, reinterpret_cast<LPARAM>(&all));
    return all;
}

void PostKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}
