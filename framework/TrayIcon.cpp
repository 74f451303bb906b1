#include "TrayIcon.h"

#include <cstring>

#include "AnsiText.h"
#include "SmartApplication.h"
#include "SmartWindow.h"

namespace {
constexpr std::size_t TipBufferSize = 64;  // the szTip of the first layout

// Never shows half of a double-byte character at the cut.
void CopyWhole(char* buffer, std::size_t size, const char* text) {
    const std::size_t length = WholeCharacterPrefix(text, std::strlen(text), size - 1);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
}
// The first layout is 88 bytes in a 32-bit process (wider with 64-bit handles).
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88, "first NOTIFYICONDATAA layout");
}  // namespace

TrayIcon::TrayIcon() : data_{} { data_.cbSize = NOTIFYICONDATAA_V1_SIZE; }

TrayIcon::~TrayIcon() {
    Remove();
    DestroyHeldIcon();
}

void TrayIcon::DestroyHeldIcon() {
    if (data_.hIcon) DestroyIcon(data_.hIcon);
    data_.hIcon = nullptr;
}

BOOL TrayIcon::Add(HWND window, UINT iconId, HICON icon, const char* tip) {
    if (IsAdded()) return FALSE;
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    // An icon still held from before the last Remove would be lost otherwise.
    if (data_.hIcon && data_.hIcon != icon) DestroyHeldIcon();
    data_.hIcon = icon;
    data_.hWnd = window;
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data_.uID = iconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = TrayCallbackMessage;

    if (!tip) {
        const SmartApplication* app = GetApp();
        tip = app && app->title() ? app->title() : "";
    }
    CopyWhole(data_.szTip, TipBufferSize, tip);
    return Shell_NotifyIconA(NIM_ADD, &data_);
}

BOOL TrayIcon::SetIcon(HICON icon) {
    DestroyHeldIcon();
    if (!icon || !IsAdded()) return FALSE;
    data_.hIcon = icon;
    data_.uFlags = NIF_ICON;
    return Shell_NotifyIconA(NIM_MODIFY, &data_);
}

BOOL TrayIcon::SetIconResource(LPCSTR iconName) {
    const SmartApplication* app = GetApp();
    const auto icon = static_cast<HICON>(LoadImageA(app ? app->instance() : nullptr, iconName, IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    const BOOL result = SetIcon(icon);
    // An icon that SetIcon did not take would leak.
    if (icon && data_.hIcon != icon) DestroyIcon(icon);
    return result;
}

BOOL TrayIcon::Remove() {
    if (!IsAdded()) return FALSE;
    data_.uFlags = NIF_ICON;
    const BOOL result = Shell_NotifyIconA(NIM_DELETE, &data_);
    data_.hWnd = nullptr;
    return result;
}

BOOL TrayIcon::Restore() {
    if (!IsAdded()) return FALSE;
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    return Shell_NotifyIconA(NIM_ADD, &data_);
}

BOOL TrayIcon::ShowBalloon(const char* title, const char* text) {
    if (!IsAdded()) return FALSE;
    CopyWhole(data_.szInfoTitle, sizeof data_.szInfoTitle, title);
    CopyWhole(data_.szInfo, sizeof data_.szInfo, text);
    data_.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data_.uFlags = NIF_INFO;
    data_.dwInfoFlags = NIIF_WARNING;
    const BOOL shown = Shell_NotifyIconA(NIM_MODIFY, &data_);
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    return shown;
}
