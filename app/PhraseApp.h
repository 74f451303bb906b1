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
#include <vector>

#include "SmartApplication.h"
#include "SmartDialog.h"
#include "SmartWindow.h"
#include "TrayIcon.h"
#include "app/CaptureThrottle.h"
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
    Unreadable,  // the settings file (or "hkey.dat") exists but could not be read:
                 // the default list was loaded and SaveSettings leaves both files alone
};

class PhraseApp : public SmartApplication, public SmartWindow, public SettingsOwner {
  public:
    static constexpr const char* settingsPath = "kwibra.ini";
    static constexpr const char* hotkeyPath = "hkey.dat";
    static constexpr const char* historyPath = "clip.dat";
    static constexpr const char* className = "Pelnork";

    // ---- Menus, settings files and clipboard history (menus engineer) ----

    // Rebuilds the menus from the settings and hotkey files (or the default
    // list) and the history from "clip.dat". startUp is false for a reload,
    // which first saves the history so that it survives the rebuild.
    SettingsSource LoadSettings(bool startUp);
    // Reads the settings text and "hkey.dat" into the menus and the HotkeyList.
    void ParseSettings(std::string_view text);
    // Writes "kwibra.ini" and "hkey.dat" together, each replaced whole; false
    // when nothing was written (the files then stay as they were).
    bool SaveSettings();

    void ComposeMenus(bool startUp);
    void AppendFixedEntries();
    // parent null: the newest section menu, or PhraseMenu while there is none.
    // binding: a binding of the HotkeyList or null; AddLine gives it its identifier.
    void AddLine(std::string_view line, HMENU parent, HotkeyBinding* binding);
    void ClearPhraseMenus();
    std::vector<CollectedLine> CollectLines() const;
    HFONT MenuFont();
    void ReleaseMenuFont();

    void AddHistoryEntry(std::string_view text);
    void TrimHistory();
    void ClearHistory();
    // False when "clip.dat" was not written (no history menu, an unreadable
    // file that is kept, or a failed write).
    bool SaveHistory();
    void LoadHistory();

    // The record of the entry with this command identifier in any menu of
    // MainMenu, or null.
    PhraseItem* ItemForCommand(UINT commandId) const;
    // WM_MEASUREITEM and WM_DRAWITEM of menu entries; false when the entry is
    // not one of ours (no record).
    bool MeasureMenuEntry(MEASUREITEMSTRUCT& measure);
    bool DrawMenuEntry(const DRAWITEMSTRUCT& draw);

    HMENU MainMenu() const { return popupMenu(); }

    // ---- Start-up, events, delivery and commands (application engineer) ----
    PhraseApp() = default;
    ~PhraseApp() override;

    BOOL InitApplication(WNDCLASSA* windowClass) override;
    int Run() override;
    // Everything Run does before its message loop; an exit code when the
    // process is to end at once (another instance took over, no window).
    std::optional<int> StartUp();
    // Rebuilds menus and hotkey list from the files after a system change.
    void Reload();
    // Walk the list from first to its end; failures are silent.
    void RegisterHotkeys(const HotkeyBinding* first);
    void UnregisterHotkeys(const HotkeyBinding* first);
    void RegisterTildeHotkey(bool on);

    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    void OnMenuSelect(UINT item, UINT flags, HMENU menu) override;
    void OnCommandId(UINT id) override;
    void OnTrayLButtonDblClk(WPARAM iconId, int x, int y) override;
    void OnTrayRButtonUp(WPARAM iconId, int x, int y) override;
    LRESULT OnTrayMessage(WPARAM wParam, LPARAM lParam) override;

    // selector 0: the main menu; n: the popup at main menu position n - 1.
    void ShowMenu(LPARAM selector);
    // Up to 2047 bytes of CF_TEXT into the history, or as a new phrase.
    void ReadClipboardText(bool asPhrase);
    // Remembers the foreground window and its focus, at most every 100 ms.
    LRESULT CaptureTarget();
    void DeliverItem(UINT commandId);
    void SendPasteKeys();
    void RestoreTargetFocus();
    void LaunchCommand(const std::string& text);
    void TypeTilde();
    void OpenSettings();
    void ShowAbout();

  private:
    void HandOverTo(HWND running) const;
    void ShowWelcome();
    void AfterCommand(WPARAM wParam, LPARAM lParam);
    void OnClipboardChange(WPARAM wParam, LPARAM lParam);
    void OnClipboardChainChange(HWND leaving, HWND after);
    void OnHotkey(std::int32_t id);
    void EndIfNonResident();
    bool WriteDelivery(const std::string& text);

    CaptureThrottle captureThrottle;  // lastCaptureTick
    bool pasteInProgress = false;
    bool shutDown = false;
    ShellPlatform shellPlatform;  // the data layer's icons, directory, date and time

  public:
    // ---- end of the application engineer's block ----

    // ---- Settings dialog owner side (settings-dialog engineer) ----
    // Every dialog: the program's icons, the foreground, the menu items that
    // must wait greyed. The settings dialog (template 103) is filled from the
    // options, the menu hotkeys and the lines of the menus with copies of
    // their bindings, and becomes settingsDialog.
    void OnDialogInit(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    // Template 103: ApplySettings. Every dialog: the menu items come back.
    void OnDialogOk(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    // Template 103: the Shift+0 registration goes back to tildeOnShiftZero.
    void OnDialogCancel(LPCSTR dialogTemplate, SmartDialog* dialog) override;
    // MF_GRAYED locks the version and exit items (and, while no settings
    // dialog is open, the phrase popup and its settings item); MF_ENABLED unlocks.
    void LockMenus(UINT flags);
    // OK and the dialog's Update button: takes options, menu hotkeys, lines
    // and item hotkeys over, rebuilds the HotkeyList and the phrase menus and
    // writes both files. The hotkeys are registered later (IDM_HOTKEYS).
    void ApplySettings(SettingsDialog* dialog) override;
    // ---- end of the settings-dialog engineer's block ----

    // ---- Fields, in the order of the application object ----
    UniqueIcon largeIcon;   // icon 101 at 32x32
    UniqueIcon smallIcon;   // icon 101 at 16x16
    FixedIcons fixedIcons;  // icons 122 and 123 at 16x16: LabelIcon and HistoryIcon
    UniqueFont menuFont;
    TrayIcon tray;
    AppSettings options;  // tildeOnShiftZero, historyLimit, waitForKeyRelease
    HWND savedForeground = nullptr;
    HWND savedFocus = nullptr;
    std::string title;
    int isNT = 0;
    int nonResident = 0;
    int dialogOpen = 0;
    HMENU PhraseMenu = nullptr;
    int nextSectionPosition = 2;
    HMENU HistoryMenu = nullptr;
    HWND nextViewer = nullptr;
    bool ignoreNextClipboardChange = false;
    bool pendingColumnBreak = false;
    int nextCommandId = 120;
    // The open settings dialog (a SettingsDialog), null while it is closed.
    SmartDialog* settingsDialog = nullptr;
    PhraseItem historyHeaderItem;
    PhraseItem phraseHeaderItem;
    HotkeyList hotkeys;

  private:
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
    std::vector<std::string> HistoryTexts() const;
    void AddHistoryTexts(const std::vector<std::string>& texts);

    // An unreadable settings or hotkey file is never overwritten; an
    // unreadable "clip.dat" neither. Both are retried at the next load.
    bool settingsWritable = true;
    bool historyWritable = true;
    // History that a rebuild could not save to "clip.dat", given back by LoadHistory.
    std::optional<std::vector<std::string>> unsavedHistory;
};
