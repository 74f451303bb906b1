#include "DialogHarness.h"

#include <commctrl.h>

#include "WindowClass.h"
#include "WindowRegistry.h"
#include "settings/HotkeyConversion.h"

namespace {

constexpr UINT StepMessage = WM_APP + 7;
constexpr UINT_PTR WatchdogTimer = 77;
constexpr int SettleLimit = 200;

bool MessagesPending() { return HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_INPUT | QS_SENDMESSAGE)) != 0; }

}  // namespace

TestOwner::TestOwner() {
    Create("owner", nullptr, nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 0, 100, 100, nullptr);
    SetMainWindowHandle(hwnd());
}

TestOwner::~TestOwner() {
    SetMainWindowHandle(nullptr);
    Destroy();
}

int TestOwner::Run(SettingsDialog& dialog, std::vector<Step> steps) {
    steps_ = std::move(steps);
    next_ = 0;
    dialog_ = &dialog;
    dialog.SetTemplate(IDD_SETTINGS, nullptr);
    SetTimer(hwnd(), WatchdogTimer, 30000, nullptr);
    const int result = dialog.ShowModal();
    KillTimer(hwnd(), WatchdogTimer);
    dialog_ = nullptr;
    EXPECT_EQ(steps_.size(), next_) << "the dialog closed before its last step";
    return result;
}

void TestOwner::OnDialogInit(LPCSTR dialogTemplate, SmartDialog* dialog) {
    notices.push_back("OnDialogInit");
    auto* settings = dynamic_cast<SettingsDialog*>(dialog);
    ASSERT_NE(nullptr, settings);
    ASSERT_EQ(MAKEINTRESOURCEA(IDD_SETTINGS), dialogTemplate);
    SetForegroundWindow(dialog->hwnd());
    settings->SetTildeOption(fill.tildeOnShiftZero);
    SendDlgItemMessageA(dialog->hwnd(), IDC_LINE_EDIT, EM_LIMITTEXT, 2047, 0);
    for (const MenuHotkey& hotkey : fill.menuHotkeys)
        settings->SetMenuHotkey(hotkey.id, hotkey.virtualKey, hotkey.modifiers);
    for (const FillLine& line : fill.lines) {
        HotkeyBinding binding;
        binding.virtualKey = line.virtualKey;
        binding.modifiers = line.modifiers;
        settings->AppendLine(line.text, line.virtualKey ? &binding : nullptr);
    }
    settings->SetHistoryLimit(fill.historyLimit);
    settings->SetWaitForKeyRelease(fill.waitForKeyRelease);
    PostMessageA(hwnd(), StepMessage, 0, 0);
}

void TestOwner::OnDialogOk(LPCSTR, SmartDialog* dialog) {
    notices.push_back("OnDialogOk");
    ApplySettings(dynamic_cast<SettingsDialog*>(dialog));
}

void TestOwner::OnDialogCancel(LPCSTR, SmartDialog*) { notices.push_back("OnDialogCancel"); }

void TestOwner::ApplySettings(SettingsDialog* dialog) {
    ASSERT_NE(nullptr, dialog);
    dialog->ShowStatus(IDS_STATUS_SAVING);
    statusWhileApplying = Status(dialog->hwnd());
    AppliedSettings settings;
    for (int i = 0; i < dialog->LineCount(); ++i) {
        settings.lines.push_back(dialog->LineAt(i));
        const HotkeyBinding* record = dialog->LineHotkey(i);
        if (record)
            settings.hotkeys.emplace_back(std::make_pair(record->virtualKey, record->modifiers));
        else
            settings.hotkeys.emplace_back();
    }
    settings.mainMenu = dialog->MenuHotkey(0);
    settings.historyMenu = dialog->MenuHotkey(1);
    settings.phraseMenu = dialog->MenuHotkey(2);
    settings.tilde = dialog->TildeOption();
    settings.wait = dialog->WaitForKeyRelease();
    settings.historyLimit = dialog->HistoryLimit();
    applied.push_back(settings);
    dialog->ShowStatus(IDS_STATUS_SAVED);
}

void TestOwner::OnCommandId(UINT id) {
    if (id == IDM_HOTKEYS) hotkeyRequests.push_back(currentLParam());
}

void TestOwner::OnTimer(WPARAM timerId) {
    if (timerId == WatchdogTimer && dialog_ && dialog_->IsBound()) {
        ADD_FAILURE() << "the dialog script stalled at step " << next_;
        dialog_->EndModal(-2);
    }
}

LRESULT TestOwner::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != StepMessage) return SmartWindow::DefaultProc(message, wParam, lParam);
    RunNextStep();
    return 0;
}

void TestOwner::RunNextStep() {
    if (!dialog_ || !dialog_->IsBound()) return;
    // Let whatever the last step caused (posted keys, the keys those post)
    // be handled first.
    if (MessagesPending() && ++settleRounds_ < SettleLimit) {
        PostMessageA(hwnd(), StepMessage, 0, 0);
        return;
    }
    settleRounds_ = 0;
    if (next_ >= steps_.size()) {
        PostMessageA(dialog_->hwnd(), WM_COMMAND, IDCANCEL, 0);
        return;
    }
    const Step& step = steps_[next_++];
    step(*dialog_, dialog_->hwnd());
    PostMessageA(hwnd(), StepMessage, 0, 0);
}

void SettingsDialogTest::SetUp() {
    app = std::make_unique<QuietApp>();
    app->SetStartup(GetModuleHandleA(nullptr), SW_SHOWNORMAL, "");
    WNDCLASSA windowClass;
    FillDefaultWindowClass(&windowClass);
    ASSERT_NE(0, RegisterWindowClass(&windowClass));
    owner = std::make_unique<TestOwner>();
    ASSERT_TRUE(owner->IsBound());
}

void SettingsDialogTest::TearDown() {
    UnregisterHotKey(owner->hwnd(), HOTKEY_TILDE);
    owner.reset();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    UnregisterClassA(DefaultClassName, GetModuleHandleA(nullptr));
    FreeRegisteredClassName();
    app.reset();
}

HWND Item(HWND dialog, int id) { return GetDlgItem(dialog, id); }

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

std::string Status(HWND dialog) { return WindowText(Item(dialog, IDC_STATUS_TEXT)); }

std::string ResourceString(UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0) return {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, ansi.data(), bytes, nullptr, nullptr);
    return ansi;
}

std::vector<std::string> ListLines(HWND dialog) {
    const HWND list = Item(dialog, IDC_ITEM_LIST);
    std::vector<std::string> lines;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto length = SendMessageA(list, LB_GETTEXTLEN, i, 0);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        text.resize(static_cast<std::size_t>(
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        lines.push_back(text);
    }
    return lines;
}

int Selection(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_ITEM_LIST, LB_GETCURSEL, 0, 0));
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(Item(dialog, id)) != FALSE; }

bool Visible(HWND dialog, int id) {
    return (GetWindowLongPtrA(Item(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void TypeInto(HWND edit, const std::string& text) {
    SetFocus(edit);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TypeOver(HWND edit, const std::string& text) {
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void PostKey(HWND window, WPARAM key, bool extended) {
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    const LPARAM flags = 1 | (static_cast<LPARAM>(scan) << 16) | (extended ? (1 << 24) : 0);
    PostMessageA(window, WM_KEYDOWN, key, flags);
}

void PostKeyUp(HWND window, WPARAM key) {
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYUP, key, 1 | (static_cast<LPARAM>(scan) << 16) | (3 << 30));
}

std::string LineText(HWND dialog) { return WindowText(Item(dialog, IDC_LINE_EDIT)); }

int ComboSelection(HWND dialog, int comboId) {
    return static_cast<int>(SendDlgItemMessageA(dialog, comboId, CB_GETCURSEL, 0, 0));
}

RECT DialogUnits(HWND dialog, int x, int y, int width, int height) {
    // Position and size are converted apart, as the dialog manager does.
    RECT rect{x, y, width, height};
    MapDialogRect(dialog, &rect);
    return RECT{rect.left, rect.top, rect.left + rect.right, rect.top + rect.bottom};
}

void SelectItem(HWND dialog, int index) {
    const HWND list = Item(dialog, IDC_ITEM_LIST);
    SetFocus(list);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void ChooseInCombo(HWND dialog, int comboId, int index) {
    const HWND combo = Item(dialog, comboId);
    SetFocus(combo);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void PressControl() { keybd_event(VK_CONTROL, 0, 0, 0); }

void ReleaseControl() { keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0); }

RECT ClientRectIn(HWND dialog, int id) {
    RECT rect{};
    GetWindowRect(Item(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
