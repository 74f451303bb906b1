// Start-up of the application object: the window class, the command line,
// the single-instance hand-over, and everything up to the message loop.
#include <windows.h>

#include "AnsiText.h"
#include "MessageLoop.h"
#include "WindowRegistry.h"
#include "app/CommandLine.h"
#include "app/PhraseApp.h"
#include "app/StartFolder.h"
#include "settings/SettingsDialog.h"
#include "menus/MenuIds.h"
#include "ResourceText.h"
#include "resource.h"

namespace {

constexpr std::size_t titleLimit = 63;

HICON LoadAppIcon(HINSTANCE instance, int id, int size) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

bool RunsOnNT() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

BOOL PhraseApp::InitApplication(WNDCLASSA* windowClass) {
    InstallPlatform(&iconCache);
    windowClass->style = 0;
    windowClass->lpszClassName = className;
    largeIcon.reset(LoadAppIcon(instance(), IDI_KWIBRA, GetSystemMetrics(SM_CXICON)));
    windowClass->hIcon = largeIcon.get();
    smallIcon.reset(LoadAppIcon(instance(), IDI_KWIBRA, GetSystemMetrics(SM_CXSMICON)));
    fixedIcons.Load(instance());
    isNT = RunsOnNT() ? 1 : 0;
    return TRUE;
}

int PhraseApp::Run() {
    if (const std::optional<int> exitCode = StartUp()) return *exitCode;
    return RunPlainMessageLoop();
}

std::optional<int> PhraseApp::StartUp() {
    LeaveSystemFolder();
    files = AppFiles::InCurrentFolder();
    nonResident = RequestsNonResident(commandLine()) ? 1 : 0;
    if (HWND running = FindWindowA(className, nullptr)) {
        HandOverTo(running);
        return 0;
    }
    // A system change during a message box of the start-up must not rebuild
    // what the start-up is still telling about.
    startingUp = true;
    dialogOpen = 0;
    target.Clear();
    title = LoadResourceText(instance(), IDS_TITLE);
    title.resize(WholeCharacterPrefix(title.data(), title.size(), titleLimit));
    LoadPopupMenu(MAKEINTRESOURCEA(IDR_MAIN_MENU), IDM_SETTINGS);
    if (nonResident) LockMenus(MF_GRAYED);
    if (!Create(title.c_str(), className, nullptr, WS_OVERLAPPEDWINDOW, WS_EX_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr))
        return -1;  // without its window the program can receive nothing
    SetMainWindowHandle(hwnd());
    AcceptMessagesWhileElevated();
    target.StartFollowing();
    SetTimer(hwnd(), ForegroundWatch, ForegroundWatchMs, nullptr);
    globalHotkeys.ListenToKeys(hwnd(), true);
    menus.OnLineAdded([this](const PhraseItem& line) {
        if (auto* dialog = dynamic_cast<SettingsDialog*>(settingsDialog))
            dialog->ListAddedLine(line.content, (line.flags & PhraseItem::ItemVerbatim) != 0);
    });
    // Only a settings file that is really missing means a first run: one
    // that exists but cannot be read is never replaced by the default list.
    if (LoadSettings(true) == SettingsSource::Missing) {
        const SaveOutcome saved = SaveSettings();
        ShowWelcome();
        TellSaveProblem(settingsPath, saved);
    }
    LoadPasteRules();
    const std::vector<std::string> problems = readProblems;
    for (const std::string& problem : problems) Tell(problem);  // no tray icon yet: a message box
    const std::vector<const HotkeyBinding*> refused = globalHotkeys.Register(hwnd(), hotkeys.head());
    if (!nonResident) {
        if (!tray.Add(hwnd(), 1, nullptr, title.c_str())) SetTimer(hwnd(), TrayRetry, 5000, nullptr);
        tray.SetIconResource(MAKEINTRESOURCEA(IDI_KWIBRA));
    } else {
        AfterMessage(WM_HOTKEY, MAIN_MENU_HOTKEY_ID, 0);
    }
    const bool tildeRefused = options.tildeOnShiftZero && !GlobalHotkeys::RegisterTilde(hwnd(), true);
    // A non-resident process opens one menu and ends: its hotkeys are nothing to tell.
    if (!nonResident) TellRefusedHotkeys(refused, tildeRefused);
    clipboard.Join(hwnd());
    startingUp = false;
    PostDeferredWork();
    return std::nullopt;
}

// Another instance runs: it opens its settings dialog, or with -o pops up
// its main menu. Nothing of this process is set up.
void PhraseApp::HandOverTo(HWND running) const {
    // A posted message grants no right to take the foreground: the running
    // instance receives ours, so that its menu or dialog comes to the front.
    DWORD runningProcess = 0;
    GetWindowThreadProcessId(running, &runningProcess);
    AllowSetForegroundWindow(runningProcess);
    if (nonResident) {
        PostMessageA(running, WM_HOTKEY, MAIN_MENU_HOTKEY_ID, 0);
        return;
    }
    SetForegroundWindow(running);
    PostMessageA(running, WM_COMMAND, IDM_SETTINGS, 0);
}

// Run as administrator, the program would otherwise hear neither a starting
// instance (a program at the user's level) nor a restarted taskbar.
void PhraseApp::AcceptMessagesWhileElevated() {
    for (UINT message : {static_cast<UINT>(WM_COMMAND), static_cast<UINT>(WM_HOTKEY),
                         RegisterWindowMessageA("TaskbarCreated")})
        ChangeWindowMessageFilterEx(hwnd(), message, MSGFLT_ALLOW, nullptr);
}

void PhraseApp::ShowWelcome() {
    const std::string text = LoadResourceText(instance(), IDS_WELCOME_TEXT);
    const std::string caption = LoadResourceText(instance(), IDS_WELCOME_CAPTION);
    if (nonResident && !deliveryDone) {
        heldBack.push_back({text, caption, MB_OK});
        return;
    }
    ++telling;
    ShowMessage(text.c_str(), caption.c_str(), MB_OK);
    --telling;
}

// The user's paste rules; a line that cannot be read is told, by its number,
// and the other rules still apply.
void PhraseApp::LoadPasteRules() {
    constexpr std::size_t shownLine = 60;
    const FileContents file = ReadWholeFile(files.pasteRules);
    if (file.status == FileStatus::Unreadable)
        readProblems.push_back(ReadProblemText(PasteRulesFileName, file.problem));
    const PasteRuleFile read = ReadPasteRules(file.bytes);
    pasteRules = read.rules;
    if (read.unreadable.empty()) return;
    std::string text = FilledText(IDS_PASTE_RULES_UNREADABLE, {PasteRulesFileName});
    for (const UnreadablePasteRule& line : read.unreadable) {
        const std::size_t shown = WholeCharacterPrefix(line.text.data(), line.text.size(), shownLine);
        text += "\n" + FilledText(IDS_PASTE_RULE_LINE,
                                  {std::to_string(line.lineNumber),
                                   line.text.substr(0, shown) + (shown < line.text.size() ? "..." : "")});
    }
    readProblems.push_back(text);
}
