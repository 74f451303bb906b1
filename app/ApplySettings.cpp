// Taking the settings dialog's contents over (OK and the Update button):
// options, menu hotkeys, the phrase list with its item hotkeys, and both files.
#include <windows.h>

#include <utility>

#include "app/PhraseApp.h"
#include "menus/MenuIds.h"
#include "resource.h"
#include "settings/HotkeyConversion.h"
#include "settings/SettingsDialog.h"

namespace {

// Keeps the dialog disabled, the wait cursor up and the dialog unknown to
// AddLine only while it lives, whatever way the work ends.
class BusyDialog {
  public:
    explicit BusyDialog(SettingsDialog& dialog)
        : dialog_(dialog), update_(GetDlgItem(dialog.hwnd(), IDC_UPDATE_BUTTON)) {
        dialog_.ShowStatus(IDS_STATUS_SAVING);
        previousCursor_ = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        EnableWindow(update_, FALSE);
        EnableWindow(dialog_.hwnd(), FALSE);
    }
    ~BusyDialog() {
        EnableWindow(dialog_.hwnd(), TRUE);
        EnableWindow(update_, TRUE);
        SetCursor(previousCursor_);
    }
    BusyDialog(const BusyDialog&) = delete;
    BusyDialog& operator=(const BusyDialog&) = delete;

  private:
    SettingsDialog& dialog_;
    HWND update_;
    HCURSOR previousCursor_ = nullptr;
};

class DialogHidden {
  public:
    explicit DialogHidden(SmartDialog*& open) : open_(open), saved_(std::exchange(open, nullptr)) {}
    ~DialogHidden() { open_ = saved_; }
    DialogHidden(const DialogHidden&) = delete;
    DialogHidden& operator=(const DialogHidden&) = delete;

  private:
    SmartDialog*& open_;
    SmartDialog* saved_;
};

// The dialog's lines with its records, and its menu hotkeys.
DecodedSettings ListOf(SettingsDialog& dialog) {
    DecodedSettings list;
    for (int id : {MAIN_MENU_HOTKEY_ID, HISTORY_MENU_HOTKEY_ID, PHRASE_MENU_HOTKEY_ID}) {
        const WORD value = dialog.MenuHotkey(id);
        list.menuHotkeys[static_cast<std::size_t>(id)] = {VirtualKeyOf(value), ModifiersOf(value)};
    }
    const int count = dialog.LineCount();
    for (int i = 0; i < count; ++i) {
        const HotkeyBinding* record = dialog.LineHotkey(i);
        list.Add(dialog.LineAt(i),
                 record ? HotkeyRecord{record->virtualKey, record->modifiers} : HotkeyRecord{});
    }
    return list;
}

}  // namespace

// What could not be saved is not applied either: the menus, hotkeys and
// options go back to what the files still hold, and nothing of the dialog's
// edits reaches the program before OK or Update has saved them.
bool PhraseApp::ApplySettings(SettingsDialog* dialog) {
    if (!dialog || !dialog->IsBound()) return false;
    const AppSettings before = options;
    SaveOutcome saved = SaveOutcome::Failed;
    {
        BusyDialog busy(*dialog);
        // AddLine must not add the lines to the dialog's own list again.
        DialogHidden hidden(settingsDialog);
        const DecodedSettings previous = CurrentList();
        options.historyLimit = dialog->HistoryLimit();
        options.tildeOnShiftZero = dialog->TildeOption() ? 1 : 0;
        options.waitForKeyRelease = dialog->WaitForKeyRelease() ? 1 : 0;
        globalHotkeys.Unregister(hwnd(), hotkeys.head());
        RebuildList(ListOf(*dialog));
        saved = SaveSettings();
        if (saved != SaveOutcome::Saved) {
            options = before;
            RebuildList(previous);
        }
    }
    // Success is only reported when both files were written; otherwise the
    // dialog shows why, and OK keeps it open so that no edit is lost.
    if (saved == SaveOutcome::Saved) {
        history.Trim();
        dialog->ShowStatus(IDS_STATUS_SAVED);
    } else {
        dialog->ShowStatusText(SaveProblemText(settingsPath, saved));
    }
    return saved == SaveOutcome::Saved;
}
