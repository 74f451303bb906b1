#pragma once
// The application object, which is at once the hidden main window. Its menus
// are the only in-memory form of the phrase list and the clipboard history.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "SmartApplication.h"
#include "SmartDialog.h"
#include "SmartWindow.h"
#include "TrayIcon.h"
#include "app/AppFiles.h"
#include "app/KeyPresses.h"
#include "app/Target.h"
#include "data/FileStore.h"
#include "data/HotkeyList.h"
#include "data/PhraseItem.h"
#include "data/SettingsFile.h"
#include "menus/FixedIcons.h"
#include "menus/GdiHandles.h"
#include "menus/ShellPlatform.h"
#include "settings/SettingsOwner.h"

// One list line read back from the menus, with the binding that goes beside
// it into "hkey.dat" (null for none).
struct CollectedLine {
    std::string line;
    const HotkeyBinding* binding = nullptr;
};

// Where LoadSettings found its list.
enum class SettingsSource {
    File,        // the settings file was read
    Missing,     // there is no settings file: the default list was loaded
    Unreadable,  // the settings file or "hkey.dat" exists but could not be read: at start-up the
                 // default list was loaded, on a rebuild the menus stayed; neither file is saved over
};

// What became of a save.
enum class SaveOutcome {
    Saved,
    Refused,  // a file that could not be read is never overwritten
    Failed,   // the system did not let the file be written
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

    // ---- The settings and hotkey files ----
    // Rebuilds the menus from the settings and hotkey files (or the default
    // list) and the history from "clip.dat". startUp is false for a reload,
    // which first saves the history so that it survives the rebuild, and
    // which leaves everything as it is when a file cannot be read.
    SettingsSource LoadSettings(bool startUp);
    void ParseSettings(std::string_view text, std::string_view hotkeyBytes);
    // Writes "kwibra.ini" and "hkey.dat" together; on anything but Saved both
    // files stay as they were.
    SaveOutcome SaveSettings();

    // ---- Menus ----
    HMENU MainMenu() const { return popupMenu(); }
    void ComposeMenus(bool startUp);
    void AppendFixedEntries();
    // parent null: the newest section menu, or PhraseMenu while there is none.
    // binding: a binding of the HotkeyList or null; AddLine gives it its identifier.
    void AddLine(std::string_view line, HMENU parent, HotkeyBinding* binding);
    void ClearPhraseMenus();
    std::vector<CollectedLine> CollectLines() const;
    HFONT MenuFont();
    void ReleaseMenuFont();
    // The record of the entry with this command identifier in any menu of
    // MainMenu, or null.
    PhraseItem* ItemForCommand(UINT commandId) const;
    // WM_MEASUREITEM and WM_DRAWITEM of menu entries; false when the entry is
    // not one of ours (no record).
    bool MeasureMenuEntry(MEASUREITEMSTRUCT& measure);
    bool DrawMenuEntry(const DRAWITEMSTRUCT& draw);
    // selector 0: the main menu; n: the popup at main menu position n - 1.
    // A request while a menu is open is ignored.
    void ShowMenu(LPARAM selector);
    // MF_GRAYED locks the version and exit items (and, while no settings
    // dialog is open, the phrase popup and its settings item); MF_ENABLED unlocks.
    void LockMenus(UINT flags);

    // ---- Clipboard history ----
    void AddHistoryEntry(std::string_view text);
    void TrimHistory();
    void ClearHistory();
    SaveOutcome SaveHistory();
    void LoadHistory();

    // ---- Global hotkeys ----
    // Registers every binding with a key from first to the end of the list;
    // returns those the system refused (another program holds the key).
    std::vector<const HotkeyBinding*> RegisterHotkeys(const HotkeyBinding* first);
    void UnregisterHotkeys(const HotkeyBinding* first);
    // False when Shift+0 was to be registered and the system refused.
    bool RegisterTildeHotkey(bool on);

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
    // and item hotkeys over, rebuilds the HotkeyList and the phrase menus and
    // writes both files; false, with the reason in the dialog's status line,
    // when they could not be written. The hotkeys are registered later
    // (IDM_HOTKEYS, or when the dialog closes).
    bool ApplySettings(SettingsDialog* dialog) override;

    // ---- Telling the user what the program could not do ----
    // A balloon at the tray icon, or a message box where there is no icon to
    // show one. A non-resident process holds every message back until its
    // delivery is done.
    void Tell(const std::string& text);

    // The state others look at: the options, the hotkeys, the menus of the
    // phrase list and the history, the tray icon, the files and the target.
    AppSettings options;  // tildeOnShiftZero, historyLimit, waitForKeyRelease
    HotkeyList hotkeys;
    HMENU PhraseMenu = nullptr;
    HMENU HistoryMenu = nullptr;
    TrayIcon tray;
    AppFiles files;
    DeliveryTarget target;

  private:
    // Start-up
    void HandOverTo(HWND running) const;
    void AcceptMessagesWhileElevated();
    void ShowWelcome();
    void ListenToKeys(bool on);
    // onlyNew: what was told before (after an earlier rebuild) is not told again.
    void TellRefusedHotkeys(const std::vector<const HotkeyBinding*>& refused, bool tildeRefused,
                            bool onlyNew = false);
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
    std::string FilledText(UINT id, std::string_view value) const;
    void KeepLeftovers(const std::filesystem::path& path);
    FileContents ReadListFile(const std::filesystem::path& path, bool (*isOurs)(std::string_view), bool seen,
                              bool startUp);
    // The list as the menus hold it, and the menus rebuilt from such a list.
    DecodedSettings CurrentList() const;
    void RebuildList(const DecodedSettings& list);

    // Menus
    void InsertSection(std::unique_ptr<PhraseItem> record, HotkeyBinding* binding);
    HMENU ParentFor(HMENU parent) const;
    int InsertPosition(HMENU parent) const;
    void AddToOpenDialog(const PhraseItem& record) const;
    void InsertHeader(int position, PhraseItem& header, HMENU& menu);
    // The first binding of each identifier, as a walk from the head finds it.
    using BindingIndex = std::unordered_map<std::int32_t, const HotkeyBinding*>;
    BindingIndex IndexBindings() const;
    void CollectMenu(HMENU menu, int skipTail, const BindingIndex& bindings,
                     std::vector<CollectedLine>& lines) const;
    std::string MenuNameOf(std::int32_t hotkeyId) const;
    void EndIfNonResident();

    // History
    void SaveHistoryOrTell();
    std::vector<std::string> HistoryTexts() const;
    void AddHistoryTexts(const std::vector<std::string>& texts);
    // The texts of "clip.dat" if it can be read now (empty when there is none); false otherwise.
    bool ReadHistoryFile(std::vector<std::string>& texts, bool tell);
    // A "clip.dat" that could not be read at start-up and can now: its entries
    // and this session's become the history, and the file may be written.
    bool MergeHistoryFile();

    // Events and delivery
    void AfterCommand(WPARAM wParam, LPARAM lParam);
    void OnClipboardChange(WPARAM wParam, LPARAM lParam);
    void OnClipboardChainChange(HWND leaving, HWND after);
    void OnHotkey(std::int32_t id, UINT virtualKey);
    bool IsNewPress(UINT virtualKey);
    void OnRawInput(LPARAM input);
    void PassOn(UINT message, WPARAM wParam, LPARAM lParam);
    void OnEndSession(bool ending);
    bool WriteDelivery(const std::string& text);

    // Dialogs
    void FillSettingsDialog(SettingsDialog& dialog);

    // Resources of the program.
    UniqueIcon largeIcon;   // icon 101 at the large icon size
    UniqueIcon smallIcon;   // icon 101 at the small icon size
    FixedIcons fixedIcons;  // icons 122 and 123: LabelIcon and HistoryIcon
    UniqueFont menuFont;
    ShellPlatform shellPlatform;  // the data layer's icons, directory, date and time
    std::string title;
    int isNT = 0;
    int nonResident = 0;

    // The menu builder's state.
    int nextSectionPosition = 2;
    int nextCommandId = 120;
    bool pendingColumnBreak = false;
    PhraseItem historyHeaderItem;
    PhraseItem phraseHeaderItem;

    // Menus shown, messages being told, and the work waiting for them.
    bool menuOpen = false;  // one at a time; Wine tells its end twice
    int telling = 0;
    bool startingUp = false;
    bool reloadPending = false;
    bool deferredWorkPosted = false;
    std::vector<std::string> pendingHistory;  // copied while the history menu could be open
    // What a non-resident process tells once its delivery is done.
    struct HeldBack {
        std::string text;
        std::string caption;
        UINT type;
    };
    std::vector<HeldBack> heldBack;
    bool deliveryDone = false;

    // Hotkeys: registered, or suspended while the settings dialog is active;
    // their keys followed through the raw keyboard input, to tell a repeat from a press.
    bool hotkeysRegistered = false;
    bool listeningToKeys = false;
    KeyPresses keyPresses;
    std::vector<std::string> toldRefused;  // refused keys told already, by name

    // Timers of the main window.
    static constexpr UINT_PTR ForegroundWatch = 1;  // Wine announces no new foreground window
    static constexpr UINT ForegroundWatchMs = 250;
    static constexpr UINT_PTR TrayRetry = 2;  // the taskbar may come up late at logon
    static constexpr int TrayAttempts = 12;   // every 5 seconds, for a minute
    int trayAttempts = 0;

    // The paste and the clipboard.
    bool pasteInProgress = false;
    HWND nextViewer = nullptr;
    static constexpr UINT ViewerTimeoutMs = 1000;
    bool ignoreNextClipboardChange = false;
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
    bool historyWritable = true;
    // What the last load could not read, told once by its caller.
    std::vector<std::string> readProblems;
    // History that a rebuild could not save to "clip.dat", given back by LoadHistory.
    std::optional<std::vector<std::string>> unsavedHistory;

    bool shutDown = false;
    bool sessionEnding = false;  // Windows is logging off: nothing may wait for the user
};
