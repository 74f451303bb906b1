#include "SmartControl.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "AnsiText.h"

namespace {

int ParseLeadingInt(const char* text) {
    const char* p = text;
    while (*p == ' ') ++p;
    const bool negative = *p == '-';
    if (negative) ++p;
    while (*p == ' ') ++p;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) magnitude = std::min(limit, magnitude * 10 + (*p - '0'));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace

SmartControl::SmartControl(int id, SmartWindow* parent) : parent_(parent) {
    SetKind(WindowKind::Control);
    SetId(static_cast<UINT_PTR>(id));
}

SmartControl::~SmartControl() = default;

void SmartControl::BindById(HWND window, SmartWindow* dialog) {
    BindWindow(window);
    boundById_ = true;
    if (!parent_) parent_ = dialog;
    Subclass();
}

const char* SmartControl::GetText() {
    if (IsBound()) {
        try {
            const int length = GetWindowTextLengthA(hwnd());
            std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
            const int copied = GetTextInto(text.data(), static_cast<int>(text.size()));
            text.resize(static_cast<std::size_t>(std::max(copied, 0)));
            storedText_ = std::move(text);
        } catch (const std::bad_alloc&) {
            storedText_.clear();
        }
    }
    return storedText_.c_str();
}

int SmartControl::GetTextInto(char* buffer, int size) {
    if (IsBound()) return GetWindowTextA(hwnd(), buffer, size);
    if (!buffer || size <= 0) return 0;
    const std::size_t count =
        WholeCharacterPrefix(storedText_.data(), storedText_.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, storedText_.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

BOOL SmartControl::SetText(const char* text) {
    if (IsBound()) return SetWindowTextA(hwnd(), text);
    storedText_ = text ? text : "";
    return TRUE;
}

BOOL SmartControl::SetInt(int value) { return SetText(std::to_string(value).c_str()); }

int SmartControl::GetInt() { return ParseLeadingInt(GetText()); }

int SmartControl::GetCheck() { return static_cast<int>(SendMsg(BM_GETCHECK)); }

void SmartControl::SetCheck(int state) { SendMsg(BM_SETCHECK, static_cast<WPARAM>(state)); }

int SmartControl::GetCurSel() { return static_cast<int>(SendMsg(LB_GETCURSEL)); }

int SmartControl::SetCurSel(int index) {
    return static_cast<int>(SendMsg(LB_SETCURSEL, static_cast<WPARAM>(index)));
}

LRESULT SmartControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = SmartSubclassWindow::DefaultProc(message, wParam, lParam);
    if (boundById_ && message == WM_KEYDOWN && parent_ && IsRegistered(parent_))
        parent_->Dispatch(WM_KEYDOWN, wParam, lParam);
    return result;
}

void SmartControl::OnDrawItem(DRAWITEMSTRUCT*) {}
