// The application object as the settings dialog's owner: a real PhraseApp
// with its hidden main window, menus and files in a temporary directory.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MenuTestSupport.h"
#include "WindowClass.h"
#include "WindowRegistry.h"
#include "app/PhraseApp.h"
#include "data/SettingsFile.h"
#include "resource.h"
#include "settings/SettingsDialog.h"

namespace {

using Lines = std::vector<std::string>;

// Runs steps one at a time from a private window, each after the messages
// the previous ones posted; a step may open a modal dialog, whose loop then
// runs the steps that follow.
class StepRunner {
  public:
    explicit StepRunner(std::vector<std::function<void()>> steps) : steps_(std::move(steps)) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KwibraTestSteps";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, "KwibraTestSteps", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), this);
    }
    ~StepRunner() { DestroyWindow(window_); }

    void Run() {
        PostMessageA(window_, WM_APP, 0, 0);
        const DWORD start = GetTickCount();
        MSG message;
        while (!(next_ >= steps_.size() && depth_ == 0) && GetTickCount() - start < 30000) {
            if (!GetMessageA(&message, nullptr, 0, 0)) break;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        EXPECT_EQ(steps_.size(), next_) << "every step ran";
    }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(
                window, GWLP_USERDATA,
                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* runner = reinterpret_cast<StepRunner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_APP && runner) {
            runner->Next();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void Next() {
        if (next_ >= steps_.size()) return;
        if (HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_INPUT | QS_SENDMESSAGE)) && ++settle_ < 200) {
            PostMessageA(window_, WM_APP, 0, 0);
            return;
        }
        settle_ = 0;
        const std::function<void()> step = steps_[next_++];
        PostMessageA(window_, WM_APP, 0, 0);
        ++depth_;
        step();
        --depth_;
    }

    std::vector<std::function<void()>> steps_;
    std::size_t next_ = 0;
    int depth_ = 0;
    int settle_ = 0;
    HWND window_ = nullptr;
};

std::string Text(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string StringResource(UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    std::string ansi(static_cast<std::size_t>(length) * 2, '\0');
    ansi.resize(static_cast<std::size_t>(WideCharToMultiByte(
        CP_ACP, 0, text, length, ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr)));
    return ansi;
}

Lines ListOf(HWND dialog) {
    Lines lines;
    const HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
    for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
        std::string text(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        text.resize(static_cast<std::size_t>(
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        lines.push_back(text);
    }
    return lines;
}

Lines CollectedTexts(const PhraseApp& app) {
    Lines lines;
    for (const CollectedLine& line : app.CollectLines()) lines.push_back(line.line);
    return lines;
}

bool Greyed(HMENU menu, UINT item, UINT by = MF_BYCOMMAND) {
    return (GetMenuState(menu, item, by) & MF_GRAYED) != 0;
}

bool ShiftZeroIsFree() {
    constexpr int probeId = 0xB124;
    const bool free = RegisterHotKey(nullptr, probeId, MOD_SHIFT, '0') != FALSE;
    if (free) UnregisterHotKey(nullptr, probeId);
    return free;
}

void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void TypeOver(HWND edit, const char* text) {
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

void Select(HWND dialog, int index) {
    const HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

class DialogOwner : public ::testing::Test {
  protected:
    void SetUp() override {
        app = std::make_unique<PhraseApp>();
        app->SetStartup(GetModuleHandleA(nullptr), SW_HIDE, "");
        WNDCLASSA windowClass;
        FillDefaultWindowClass(&windowClass);
        ASSERT_TRUE(app->InitApplication(&windowClass));
        ASSERT_NE(0, RegisterWindowClass(&windowClass));
        ASSERT_TRUE(app->LoadPopupMenu(MAKEINTRESOURCEA(IDR_MAIN_MENU), IDM_SETTINGS));
        ASSERT_TRUE(app->Create("kwibra", nullptr, nullptr, WS_OVERLAPPEDWINDOW, WS_EX_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr));
        SetMainWindowHandle(app->hwnd());
    }

    void TearDown() override {
        app->UnregisterHotkeys(app->hotkeys.head());
        UnregisterHotKey(app->hwnd(), HOTKEY_TILDE);
        app->Destroy();
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        SetMainWindowHandle(nullptr);
        app.reset();
        UnregisterClassA(PhraseApp::className, GetModuleHandleA(nullptr));
        FreeRegisteredClassName();
    }

    // Both files as the program writes them, then LoadSettings reads them.
    void LoadFiles(const AppSettings& options, const std::array<HotkeyRecord, 3>& menus,
                   const std::vector<SettingsLine>& lines) {
        const EncodedSettings files = EncodeSettings(options, menus, lines);
        ASSERT_TRUE(WriteBytes(PhraseApp::settingsPath, files.settingsBytes));
        ASSERT_TRUE(WriteBytes(PhraseApp::hotkeyPath, files.hkeyBytes));
        ASSERT_EQ(SettingsSource::File, app->LoadSettings(true));
        settingsBytes = ReadBytes(PhraseApp::settingsPath);
        hkeyBytes = ReadBytes(PhraseApp::hotkeyPath);
    }

    void LoadSample(std::int32_t tilde = 1) {
        AppSettings options;
        options.tildeOnShiftZero = tilde;
        options.historyLimit = 33;
        options.waitForKeyRelease = 0;
        LoadFiles(options,
                  {HotkeyRecord{'M', MOD_CONTROL | MOD_ALT}, HotkeyRecord{'H', MOD_SHIFT}, HotkeyRecord{}},
                  {{"alpha", {'A', MOD_CONTROL}},
                   {" *notepad", {}},
                   {"---", {}},
                   {" -節", {}},
                   {"inner", {'I', MOD_ALT}}});
    }

    // What IDM_SETTINGS does, with the settings dialog.
    int OpenSettings() {
        app->dialogOpen = 1;
        app->UnregisterHotkeys(app->hotkeys.head());
        dialog.SetTemplate(IDD_SETTINGS, nullptr);
        const int result = dialog.ShowModal();
        app->settingsDialog = nullptr;
        app->RegisterHotkeys(app->hotkeys.head());
        app->dialogOpen = 0;
        return result;
    }

    // Steps that run while the settings dialog is open; the first opens it.
    int RunDialog(std::vector<std::function<void(HWND)>> steps) {
        int result = -5;
        std::vector<std::function<void()>> all{[&] { result = OpenSettings(); }};
        for (auto& step : steps)
            all.push_back([this, step] {
                ASSERT_TRUE(dialog.IsBound()) << "the dialog is open";
                step(dialog.hwnd());
            });
        all.push_back([this] {
            if (dialog.IsBound()) PostMessageA(dialog.hwnd(), WM_COMMAND, IDCANCEL, 0);
        });
        StepRunner(all).Run();
        return result;
    }

    TempDirectory directory;
    std::unique_ptr<PhraseApp> app;
    SettingsDialog dialog;
    std::string settingsBytes, hkeyBytes;
};

TEST_F(DialogOwner, FillsTheDialogFromTheMenusHotkeysAndOptions) {
    LoadSample();
    const int result = RunDialog({[&](HWND d) {
        EXPECT_EQ((Lines{"alpha", " *notepad", "---", " -節", "inner"}), ListOf(d));
        ASSERT_NE(nullptr, dialog.LineHotkey(0));
        EXPECT_EQ('A', dialog.LineHotkey(0)->virtualKey);
        EXPECT_EQ(MOD_CONTROL, dialog.LineHotkey(0)->modifiers);
        ASSERT_NE(nullptr, dialog.LineHotkey(4));
        EXPECT_EQ('I', dialog.LineHotkey(4)->virtualKey);
        EXPECT_EQ(2u, dialog.ItemHotkeyCount());
        for (const HotkeyBinding* binding = app->hotkeys.head(); binding; binding = binding->next.get())
            EXPECT_NE(binding, dialog.LineHotkey(0))
                << "the dialog holds copies, not the application's bindings";
        EXPECT_EQ(0, dialog.LineHotkey(0)->id);
        EXPECT_EQ(MAKEWORD('M', HOTKEYF_CONTROL | HOTKEYF_ALT),
                  SendDlgItemMessageA(d, IDC_MAIN_MENU_HOTKEY, HKM_GETHOTKEY, 0, 0));
        EXPECT_EQ(MAKEWORD('H', HOTKEYF_SHIFT),
                  SendDlgItemMessageA(d, IDC_HISTORY_MENU_HOTKEY, HKM_GETHOTKEY, 0, 0));
        EXPECT_EQ(0, SendDlgItemMessageA(d, IDC_PHRASE_MENU_HOTKEY, HKM_GETHOTKEY, 0, 0));
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, IDC_TILDE_CHECK));
        EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(d, IDC_WAIT_RELEASE_CHECK));
        EXPECT_EQ("33", Text(GetDlgItem(d, IDC_HISTORY_LIMIT_EDIT)));
        EXPECT_EQ(2047, SendDlgItemMessageA(d, IDC_LINE_EDIT, EM_GETLIMITTEXT, 0, 0));
        EXPECT_EQ(static_cast<SmartDialog*>(&dialog), app->settingsDialog);
        EXPECT_EQ(reinterpret_cast<LRESULT>(app->smallIcon.get()),
                  SendMessageA(d, WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(reinterpret_cast<LRESULT>(app->largeIcon.get()), SendMessageA(d, WM_GETICON, ICON_BIG, 0));
        EXPECT_TRUE(Greyed(app->MainMenu(), IDM_ABOUT));
        EXPECT_TRUE(Greyed(app->MainMenu(), IDM_EXIT));
        EXPECT_FALSE(Greyed(app->MainMenu(), 1, MF_BYPOSITION)) << "the phrase popup stays usable";
        EXPECT_FALSE(Greyed(app->PhraseMenu, IDM_SETTINGS));
    }});
    EXPECT_EQ(0, result);
    EXPECT_FALSE(Greyed(app->MainMenu(), IDM_ABOUT));
    EXPECT_FALSE(Greyed(app->MainMenu(), IDM_EXIT));
    EXPECT_EQ(nullptr, app->settingsDialog);
}

TEST_F(DialogOwner, OkRewritesBothFilesAndTheMenus) {
    LoadSample();
    const int result = RunDialog({
        [](HWND d) {
            Select(d, 0);
            TypeOver(GetDlgItem(d, IDC_LINE_EDIT), "アルファ");
            Click(d, IDC_CHANGE_BUTTON);
        },
        [](HWND d) {
            Select(d, -1);
            TypeOver(GetDlgItem(d, IDC_LINE_EDIT), "新しい");
            Click(d, IDC_ADD_BUTTON);
            SendDlgItemMessageA(d, IDC_MAIN_MENU_HOTKEY, HKM_SETHOTKEY, MAKEWORD('N', HOTKEYF_CONTROL), 0);
            SendDlgItemMessageA(d, IDC_HISTORY_MENU_HOTKEY, HKM_SETHOTKEY, 0, 0);
            SendDlgItemMessageA(d, IDC_PHRASE_MENU_HOTKEY, HKM_SETHOTKEY,
                                MAKEWORD('P', HOTKEYF_ALT | HOTKEYF_EXT), 0);
            SetDlgItemTextA(d, IDC_HISTORY_LIMIT_EDIT, "7");
            CheckDlgButton(d, IDC_WAIT_RELEASE_CHECK, BST_CHECKED);
        },
        [](HWND d) { Click(d, IDOK); },
    });
    EXPECT_EQ(1, result);
    const Lines expected{"アルファ", " *notepad", "---", " -節", "inner", "新しい"};
    EXPECT_EQ(expected, CollectedTexts(*app)) << "the menus hold the new list";
    AppSettings options;
    const DecodedSettings saved =
        DecodeSettings(ReadBytes(PhraseApp::settingsPath), ReadBytes(PhraseApp::hotkeyPath), options);
    Lines savedLines;
    for (const SettingsLine& line : saved.lines) savedLines.push_back(line.text);
    EXPECT_EQ(expected, savedLines);
    ASSERT_EQ(6u, saved.lines.size());
    EXPECT_EQ((HotkeyRecord{'A', MOD_CONTROL}), saved.lines[0].hotkey) << "Change kept the hotkey";
    EXPECT_EQ((HotkeyRecord{'I', MOD_ALT}), saved.lines[4].hotkey);
    EXPECT_EQ(HotkeyRecord{}, saved.lines[5].hotkey);
    EXPECT_EQ((HotkeyRecord{'N', MOD_CONTROL}), saved.menuHotkeys[0]);
    EXPECT_EQ(HotkeyRecord{}, saved.menuHotkeys[1]);
    EXPECT_EQ((HotkeyRecord{'P', MOD_ALT}), saved.menuHotkeys[2]) << "without HOTKEYF_EXT";
    EXPECT_EQ(7, options.historyLimit);
    EXPECT_EQ(1, options.waitForKeyRelease);
    EXPECT_EQ(1, options.tildeOnShiftZero);
    EXPECT_EQ(7, app->options.historyLimit);
    ASSERT_NE(nullptr, app->hotkeys.Find(0));
    EXPECT_EQ('N', app->hotkeys.Find(0)->virtualKey);
    EXPECT_EQ(nullptr, app->hotkeys.Find(1));
    EXPECT_FALSE(Greyed(app->MainMenu(), IDM_ABOUT));
}

// Records what the status area is set to and when the dialog is disabled.
class StatusRecorder {
  public:
    explicit StatusRecorder(std::vector<std::string>* log)
        : hook_(SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId())) {
        log_ = log;
    }
    ~StatusRecorder() {
        UnhookWindowsHookEx(hook_);
        log_ = nullptr;
    }
    static HWND dialog;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && log_ && dialog) {
            if (message->message == WM_SETTEXT && message->hwnd == GetDlgItem(dialog, IDC_STATUS_TEXT))
                log_->push_back(reinterpret_cast<const char*>(message->lParam));
            if (message->message == WM_ENABLE && message->hwnd == dialog)
                log_->push_back(std::string(message->wParam ? "enabled" : "disabled") +
                                (GetCursor() == LoadCursorA(nullptr, IDC_WAIT) ? " wait" : ""));
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_;
    static std::vector<std::string>* log_;
};
HWND StatusRecorder::dialog = nullptr;
std::vector<std::string>* StatusRecorder::log_ = nullptr;

TEST_F(DialogOwner, UpdateSavesWithTheDialogOpenAndShowsString30) {
    LoadSample();
    std::vector<std::string> log;
    std::unique_ptr<StatusRecorder> recorder;
    RunDialog({
        [&](HWND d) {
            TypeOver(GetDlgItem(d, IDC_LINE_EDIT), "更新した");
            Click(d, IDC_ADD_BUTTON);
        },
        [&](HWND d) {
            StatusRecorder::dialog = d;
            recorder = std::make_unique<StatusRecorder>(&log);
            Click(d, IDC_UPDATE_BUTTON);
        },
        [&](HWND d) {
            recorder.reset();
            EXPECT_EQ((std::vector<std::string>{StringResource(IDS_STATUS_SAVING), "disabled wait",
                                                "enabled wait", StringResource(IDS_STATUS_SAVED)}),
                      log);
            EXPECT_NE(LoadCursorA(nullptr, IDC_WAIT), GetCursor()) << "the cursor is back";
            EXPECT_EQ(StringResource(IDS_STATUS_SAVED), Text(GetDlgItem(d, IDC_STATUS_TEXT)));
            EXPECT_TRUE(IsWindowEnabled(d));
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_UPDATE_BUTTON)));
            EXPECT_EQ((Lines{"alpha", " *notepad", "---", " -節", "inner", "更新した"}), ListOf(d))
                << "the dialog keeps its list and is not filled twice";
            EXPECT_EQ(2u, dialog.ItemHotkeyCount());
            EXPECT_EQ(static_cast<SmartDialog*>(&dialog), app->settingsDialog);
            EXPECT_EQ(ListOf(d), ListLinesOf(ReadBytes(PhraseApp::settingsPath))) << "saved at once";
        },
    });
    StatusRecorder::dialog = nullptr;
}

TEST_F(DialogOwner, UpdateThatCannotSaveDoesNotReportSuccess) {
    LoadSample();
    std::unique_ptr<LockedFile> lock;
    RunDialog({[&](HWND d) {
                   lock = std::make_unique<LockedFile>(PhraseApp::settingsPath);
                   ASSERT_TRUE(lock->ok());
                   Click(d, IDC_UPDATE_BUTTON);
               },
               [&](HWND d) {
                   EXPECT_NE(StringResource(IDS_STATUS_SAVED), Text(GetDlgItem(d, IDC_STATUS_TEXT)));
                   EXPECT_NE(StringResource(IDS_STATUS_SAVING), Text(GetDlgItem(d, IDC_STATUS_TEXT)));
                   EXPECT_TRUE(IsWindowEnabled(d));
                   lock.reset();
               }});
    EXPECT_EQ(settingsBytes, ReadBytes(PhraseApp::settingsPath));
}

TEST_F(DialogOwner, CancelChangesNothingButRestoresShiftZero) {
    for (std::int32_t tilde : {0, 1}) {
        SCOPED_TRACE(tilde);
        LoadSample(tilde);
        app->RegisterTildeHotkey(tilde != 0);
        const Lines before = CollectedTexts(*app);
        const int result = RunDialog({
            [&](HWND d) {
                EXPECT_EQ(tilde == 0, ShiftZeroIsFree());
                Click(d, IDC_TILDE_CHECK);
                TypeOver(GetDlgItem(d, IDC_LINE_EDIT), "捨てる");
                Click(d, IDC_ADD_BUTTON);
                SetDlgItemTextA(d, IDC_HISTORY_LIMIT_EDIT, "99");
                SendDlgItemMessageA(d, IDC_MAIN_MENU_HOTKEY, HKM_SETHOTKEY, MAKEWORD('X', HOTKEYF_ALT), 0);
            },
            [&](HWND d) {
                EXPECT_EQ(tilde != 0, ShiftZeroIsFree()) << "the box took effect at once";
                Click(d, IDCANCEL);
            },
        });
        EXPECT_EQ(0, result);
        EXPECT_EQ(tilde == 0, ShiftZeroIsFree()) << "Cancel put the registration back";
        EXPECT_EQ(settingsBytes, ReadBytes(PhraseApp::settingsPath));
        EXPECT_EQ(hkeyBytes, ReadBytes(PhraseApp::hotkeyPath));
        EXPECT_EQ(before, CollectedTexts(*app));
        EXPECT_EQ(tilde, app->options.tildeOnShiftZero);
        EXPECT_EQ(33, app->options.historyLimit);
        ASSERT_NE(nullptr, app->hotkeys.Find(0));
        EXPECT_EQ('M', app->hotkeys.Find(0)->virtualKey);
        app->UnregisterHotkeys(app->hotkeys.head());
        app->RegisterTildeHotkey(false);
    }
}

TEST_F(DialogOwner, ASecondRequestBringsTheOpenDialogToTheFront) {
    LoadSample();
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    RunDialog({
        [&](HWND) { SetForegroundWindow(other); },
        [&](HWND d) {
            EXPECT_NE(d, GetForegroundWindow());
            PostMessageA(app->hwnd(), WM_COMMAND, IDM_SETTINGS, 0);
        },
        [&](HWND d) {
            EXPECT_EQ(d, GetForegroundWindow());
            EXPECT_EQ(1, app->dialogOpen) << "no second dialog";
        },
    });
    DestroyWindow(other);
}

TEST_F(DialogOwner, OtherDialogsLockTheMenusToo) {
    LoadSample();
    HWND about = nullptr;
    std::vector<std::function<void()>> steps{
        [&] { PostMessageA(app->hwnd(), WM_COMMAND, IDM_ABOUT, 0); },
        [&] {
            about = GetForegroundWindow();
            ASSERT_NE(nullptr, about);
            EXPECT_EQ("クウィブラのバージョン情報", Text(about));
            EXPECT_EQ(reinterpret_cast<LRESULT>(app->smallIcon.get()),
                      SendMessageA(about, WM_GETICON, ICON_SMALL, 0));
            EXPECT_TRUE(Greyed(app->MainMenu(), IDM_ABOUT));
            EXPECT_TRUE(Greyed(app->MainMenu(), IDM_EXIT));
            EXPECT_TRUE(Greyed(app->MainMenu(), 1, MF_BYPOSITION))
                << "no settings dialog: the phrase popup waits";
            EXPECT_TRUE(Greyed(app->PhraseMenu, IDM_SETTINGS));
            PostMessageA(about, WM_COMMAND, IDOK, 0);
        },
        [&] {
            EXPECT_FALSE(IsWindow(about));
            EXPECT_FALSE(Greyed(app->MainMenu(), IDM_ABOUT));
            EXPECT_FALSE(Greyed(app->MainMenu(), 1, MF_BYPOSITION));
            EXPECT_FALSE(Greyed(app->PhraseMenu, IDM_SETTINGS));
        },
    };
    StepRunner(steps).Run();
}

}  // namespace
