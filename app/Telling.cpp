// The one way the program tells the user what it could not do: a balloon at
// the tray icon, or a message box where there is no icon (yet, or any more)
// to show one. Texts come from the string table.
#include <initializer_list>

#include "ResourceText.h"
#include "app/PhraseApp.h"
#include "resource.h"
#include "settings/HotkeyConversion.h"

namespace {

// The string with %1, %2 ... replaced by the values.
std::string Filled(HINSTANCE instance, UINT id, std::initializer_list<std::string_view> values) {
    std::string text = LoadResourceText(instance, id);
    char mark[] = "%1";
    for (std::string_view value : values) {
        const std::size_t at = text.find(mark);
        if (at != std::string::npos) text.replace(at, 2, value);
        ++mark[1];
    }
    return text;
}

UINT ProblemString(ReadProblem problem) {
    switch (problem) {
        case ReadProblem::InUse:
            return IDS_PROBLEM_IN_USE;
        case ReadProblem::TooLarge:
            return IDS_PROBLEM_TOO_LARGE;
        case ReadProblem::Damaged:
            return IDS_PROBLEM_DAMAGED;
        default:
            return IDS_PROBLEM_READ_FAILED;
    }
}

}  // namespace

void PhraseApp::Tell(const std::string& text) {
    if (!shutDown && tray.IsAdded() && tray.ShowBalloon(title.c_str(), text.c_str())) return;
    MessageBoxA(shutDown ? nullptr : hwnd(), text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
}

std::string PhraseApp::ReadProblemText(const char* path, ReadProblem problem) const {
    return Filled(instance(), IDS_READ_FAILED, {path, LoadResourceText(instance(), ProblemString(problem))});
}

std::string PhraseApp::SaveProblemText(const char* path, SaveOutcome outcome) const {
    const UINT reason = outcome == SaveOutcome::Refused ? IDS_SAVE_REFUSED : IDS_SAVE_WRITE_FAILED;
    return Filled(instance(), IDS_SAVE_FAILED, {path, LoadResourceText(instance(), reason)});
}

void PhraseApp::TellSaveProblem(const char* path, SaveOutcome outcome) {
    if (outcome != SaveOutcome::Saved) Tell(SaveProblemText(path, outcome));
}

void PhraseApp::TellRefusedHotkeys(const std::vector<const HotkeyBinding*>& refused, bool tildeRefused) {
    if (refused.empty() && !tildeRefused) return;
    std::string text = LoadResourceText(instance(), IDS_HOTKEYS_REFUSED);
    for (const HotkeyBinding* binding : refused)
        text += "\n" + Filled(instance(), IDS_HOTKEY_LINE,
                              {HotkeyName(binding->virtualKey, binding->modifiers), MenuNameOf(binding->id)});
    if (tildeRefused)
        text += "\n" + Filled(instance(), IDS_HOTKEY_LINE,
                              {HotkeyName('0', MOD_SHIFT), LoadResourceText(instance(), IDS_TILDE_NAME)});
    Tell(text);
}
