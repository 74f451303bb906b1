#pragma once
// The application object, which is at once the hidden main window and the
// owner of the settings dialog. It coordinates its parts: the menus (the only
// in-memory form of the phrase list), the clipboard history, the global
// hotkeys, the clipboard watch, the delivery target, the tray icon and the
// three files.
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "SmartApplication.h"
#include "SmartDialog.h"
#include "SmartWindow.h"
#include "TrayIcon.h"
#include "app/AppFiles.h"
#include "app/ClipboardAccess.h"
#include "app/GlobalHotkeys.h"
#include "app/Target.h"
#include "data/FileStore.h"
#include "data/HotkeyList.h"
#include "data/IconCache.h"
#include "data/PasteRules.h"
#include "data/PhraseItem.h"
#include "data/SettingsFile.h"
#include "menus/ClipHistory.h"
#include "menus/FixedIcons.h"
#include "menus/GdiHandles.h"
#include "menus/PhraseMenus.h"
#include "menus/SaveOutcome.h"
#include "menus/ShellPlatform.h"
#include "settings/SettingsOwner.h"

// Where LoadSettings found its list.
enum class SettingsSource {
    File,        // the settings file was read
    Missing,     // there is no settings file: the default list was loaded
    Unreadable,  // the settings file or "hkey.dat" exists but could not be read: at start-up the
                 // default list was loaded, on a rebuild the menus stayed; neither file is saved over
};

class PhraseApp : public SmartApplication, public SmartWindow, public SettingsOwner {
  public:
    static constexpr const char* settingsPath = "kwibra.ini";
    static constexpr const char* hotkeyPath = "hkey.dat";
    static constexpr const char* historyPath = "clip.dat";
    static constexpr const char* className = "Pelnork";

    PhraseApp() = default;
    ~PhraseApp() override;

    // ---- Start-up, rebuild and the way out ----
    BOOL InitApplication(WNDCLASSA* windowClass) override;
    int Run() override;
    // Everything Run does before its message loop; an exit code when the
    // process is to end at once (another instance took over, no window).
    std::optional<int> StartUp();
    // Rebuilds menus and hotkeys from the files after a system change; while
    // a menu is open, a message is told or start-up runs, once that is over.
    void Reload();
    void OnDestroy() override;

    // ---- The files ----
    // Rebuilds the menus from the settings and hotkey files (or the default
    // list) and the history from "clip.dat". startUp is false for a reload,
    // which first saves the history so that it survives the rebuild, and
    // which leaves everything as it is when a file cannot be read.
    SettingsSource LoadSettings(bool startUp);
    void ParseSettings(std::string_view text, std::string_view hotkeyBytes);
    // Writes "kwibra.ini" and "hkey.dat" together; on anything but Saved both
    // files stay as they were.
    SaveOutcome SaveSettings();
    SaveOutcome SaveHistory() { return history.Save(files.historyPaths()); }

    // ---- Menus ----
    HMENU MainMenu() const { return popupMenu(); }
    PhraseItem* ItemForCommand(UINT commandId) const { return menus.ItemForCommand(commandId); }
    // selector 0: the main menu; n: the popup at main menu position n - 1.
    // A request while a menu is open is ignored.
    void ShowMenu(LPARAM selector);
    // MF_GRAYED locks the version and exit items (and, while no settings
    // dialog is open, the phrase popup and its settings item); MF_ENABLED unlocks.
    void LockMenus(UINT flags);

    // ---- Events of the main window ----
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnMenuSelect(UINT item, UINT flags, HMENU menu) override;
    void OnTimer(WPARAM timerId) override;
    void OnCommandId(UINT id) override;
    void OnTrayLButtonDblClk(WPARAM iconId, int x, int y) override;
    void OnTrayRButtonUp(WPARAM iconId, int x, int y) override;
    LRESULT OnTrayMessage(WPARAM wParam, LPARAM lParam) override;

    // ---- Delivery to the window the user worked in ----
    // Up to 2047 bytes of CF_TEXT into the history, or as a new phrase.
    void ReadClipboardText(bool asPhrase);
    // Remembers the window the user works in and its focus, at most every 100 ms.
    LRESULT CaptureTarget();
    void DeliverItem(UINT commandId);
    void SendPasteKeys();
    void LaunchCommand(const std::string& text);
    void TypeTilde();

    // ---- Dialogs ----
    void OpenSettings();
    void ShowAbout();
    // Every dialog: the program's icons, the foreground, the menu items that
    // must wait greyed. The settings dialog (template 103) is filled from the
    // options, the menu hotkeys and the lines of the menus with copies of
    // their bindings.
    void OnDialogInit(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    // Every dialog: the menu items come back.
    void OnDialogOk(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    // Template 103: the Shift+0 registration goes back to tildeOnShiftZero.
    void OnDialogCancel(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    // OK and the dialog's Update button: takes options, menu hotkeys, lines
    // and item hotkeys over and writes both files; what cannot be saved is
    // not applied either. False, with the reason in the dialog's status line,
    // when they could not be written. The hotkeys are registered later
    // (IDM_HOTKEYS, or when the dialog closes).
    bool ApplySettings(SettingsDialog* dialog) override;

    // ---- Telling the user what the program could not do ----
    // A balloon at the tray icon, or a message box where there is no icon to
    // show one. A non-resident process holds every message back until its
    // delivery is done.
    void Tell(const std::string& text);

    // The parts, and the state others look at.
    AppSettings options;  // tildeOnShiftZero, historyLimit, waitForKeyRelease
    HotkeyList hotkeys;
    PhraseMenus menus;
    ClipHistory history{options.historyLimit};
    TrayIcon tray;
    AppFiles files;
    DeliveryTarget target;

  private:
    // Start-up
    void HandOverTo(HWND running) const;
    void AcceptMessagesWhileElevated();
    void ShowWelcome();
    // onlyNew: what was told before (after an earlier rebuild) is not told again.
    void TellRefusedHotkeys(const std::vector<const HotkeyBinding*>& refused, bool tildeRefused,
                            bool onlyNew = false);
    std::string MenuNameOf(std::int32_t hotkeyId) const;
    // Work that waits while a menu is open, a message is told or start-up
    // runs: history entries copied meanwhile, and a rebuild.
    bool MustWait() const { return menuOpen || telling > 0 || startingUp; }
    void PostDeferredWork();
    void RunDeferredWork();
    void TellHeldBack();

    // Files
    std::string ReadProblemText(const char* path, ReadProblem problem) const;
    std::string SaveProblemText(const char* path, SaveOutcome outcome) const;
    void TellSaveProblem(const char* path, SaveOutcome outcome);
    std::string FilledText(UINT id, std::initializer_list<std::string_view> values) const;
    void LoadPasteRules();
    void KeepLeftovers(const std::filesystem::path& path);
    FileContents ReadListFile(const std::filesystem::path& path, bool (*isOurs)(std::string_view), bool seen,
                              bool startUp);
    void LoadHistory();
    void SaveHistoryOrTell();

    // Menus: the rebuild of their skeleton, and the list as they hold it.
    void ComposeMenus(bool startUp);
    DecodedSettings CurrentList() const;
    void RebuildList(const DecodedSettings& list);
    void EndIfNonResident();

    // Events and delivery
    void AfterCommand(WPARAM wParam, LPARAM lParam);
    void OnClipboardChange(WPARAM wParam, LPARAM lParam);
    void OnHotkey(std::int32_t id, UINT virtualKey);
    void OnEndSession(bool ending);

    // Dialogs
    void FillSettingsDialog(SettingsDialog& dialog);

    // Resources of the program.
    UniqueIcon largeIcon;         // icon 101 at the large icon size
    UniqueIcon smallIcon;         // icon 101 at the small icon size
    FixedIcons fixedIcons;        // icons 122 and 123: LabelIcon and HistoryIcon
    ShellPlatform shellPlatform;  // the data layer's icons, directory, date and time
    IconCache iconCache{shellPlatform};
    std::string title;
    int isNT = 0;
    int nonResident = 0;

    // The parts the events work through.
    GlobalHotkeys globalHotkeys;
    ClipboardWatch clipboard;

    // The menu shown, messages being told, and the work waiting for them.
    bool menuOpen = false;  // one at a time; Wine tells its end twice
    int telling = 0;
    bool startingUp = false;
    bool reloadPending = false;
    bool deferredWorkPosted = false;
    // What a non-resident process tells once its delivery is done.
    struct HeldBack {
        std::string text;
        std::string caption;
        UINT type;
    };
    std::vector<HeldBack> heldBack;
    bool deliveryDone = false;
    std::vector<std::string> toldRefused;  // refused keys told already, by name

    // Timers of the main window.
    static constexpr UINT_PTR ForegroundWatch = 1;  // Wine announces no new foreground window
    static constexpr UINT ForegroundWatchMs = 250;
    static constexpr UINT_PTR TrayRetry = 2;  // the taskbar may come up late at logon
    static constexpr int TrayAttempts = 12;   // every 5 seconds, for a minute
    int trayAttempts = 0;
    static constexpr UINT_PTR TrayIdle = 3;  // the busy icon goes once the chosen item's work is done
    bool trayBusyPending = false;            // the menu shown by ShowMenu shows the busy icon
    bool trayBusy = false;

    // The paste, and the user's rules for it ("paste.txt"), read at start-up.
    bool pasteInProgress = false;
    std::vector<PasteRule> pasteRules;
    std::unordered_set<HWND> toldBlockedTargets;  // told once each that our keys cannot reach them

    // Dialogs.
    int dialogOpen = 0;
    // The open settings dialog (a SettingsDialog), null while it is closed.
    SmartDialog* settingsDialog = nullptr;

    // Files. An unreadable settings or hotkey file is never overwritten; an
    // unreadable "clip.dat" neither. Both are retried at the next load, and
    // "clip.dat" also before each save. A file that was there and is gone at
    // a rebuild (a program replacing it) is waited for, or the menus stay.
    bool settingsWritable = true;
    const char* unreadableListFile = settingsPath;
    bool settingsFileSeen = false;
    bool hotkeyFileSeen = false;
    // What the last load could not read, told once by its caller.
    std::vector<std::string> readProblems;

    bool shutDown = false;
    bool sessionEnding = false;  // Windows is logging off: nothing may wait for the user
};
