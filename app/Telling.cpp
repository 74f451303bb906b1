// The one way the program tells the user what it could not do: a balloon at
// the tray icon, or a message box where there is no icon (yet, or any more)
// to show one. Texts come from the string table.
#include <algorithm>
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
        case ReadProblem::Gone:
            return IDS_PROBLEM_MISSING;
        default:
            return IDS_PROBLEM_READ_FAILED;
    }
}

bool SameKey(const HotkeyBinding& a, const HotkeyBinding& b) {
    return a.virtualKey == b.virtualKey && a.modifiers == b.modifiers;
}

}  // namespace

void PhraseApp::Tell(const std::string& text) {
    // A box before a non-resident delivery would take the place of the
    // user's window: the phrase would go nowhere.
    if (nonResident && !deliveryDone) {
        heldBack.push_back({text, title, MB_OK | MB_ICONWARNING});
        return;
    }
    if (!shutDown && tray.IsAdded() && tray.ShowBalloon(title.c_str(), text.c_str())) return;
    // The box runs messages: nothing may rebuild what is being told.
    ++telling;
    MessageBoxA(shutDown ? nullptr : hwnd(), text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
    if (--telling == 0) PostDeferredWork();
}

std::string PhraseApp::ReadProblemText(const char* path, ReadProblem problem) const {
    return Filled(instance(), IDS_READ_FAILED, {path, LoadResourceText(instance(), ProblemString(problem))});
}

std::string PhraseApp::SaveProblemText(const char* path, SaveOutcome outcome) const {
    const UINT reason = outcome == SaveOutcome::Refused ? IDS_SAVE_REFUSED : IDS_SAVE_WRITE_FAILED;
    // The file that could not be read is the one that is kept.
    if (outcome == SaveOutcome::Refused && std::string_view(path) == settingsPath) path = unreadableListFile;
    return Filled(instance(), IDS_SAVE_FAILED, {path, LoadResourceText(instance(), reason)});
}

void PhraseApp::TellSaveProblem(const char* path, SaveOutcome outcome) {
    if (outcome != SaveOutcome::Saved) Tell(SaveProblemText(path, outcome));
}

std::string PhraseApp::FilledText(UINT id, std::initializer_list<std::string_view> values) const {
    return Filled(instance(), id, values);
}

void PhraseApp::KeepLeftovers(const std::filesystem::path& path) {
    for (const std::filesystem::path& kept : KeepLeftoverCopies(path))
        readProblems.push_back(Filled(instance(), IDS_LEFTOVER_KEPT, {kept.filename().string()}));
}

// Keys another program holds, and keys that two of our own entries share
// (the first registered keeps it), each told once by its name and purpose.
void PhraseApp::TellRefusedHotkeys(const std::vector<const HotkeyBinding*>& refused, bool tildeRefused,
                                   bool onlyNew) {
    const HotkeyBinding tilde{nullptr, HOTKEY_TILDE, '0', MOD_SHIFT};
    const auto registeredTwin = [&](const HotkeyBinding& key) -> const HotkeyBinding* {
        for (const HotkeyBinding* b = hotkeys.head(); b; b = b->next.get())
            if (b != &key && SameKey(*b, key) &&
                std::find(refused.begin(), refused.end(), b) == refused.end())
                return b;
        return options.tildeOnShiftZero && !tildeRefused && SameKey(key, tilde) ? &tilde : nullptr;
    };
    const auto nameOf = [&](const HotkeyBinding& key) {
        return key.id == HOTKEY_TILDE ? LoadResourceText(instance(), IDS_TILDE_NAME) : MenuNameOf(key.id);
    };
    std::string heldByOthers, shared;
    const auto add = [&](const HotkeyBinding& key) {
        const std::string name = HotkeyName(key.virtualKey, key.modifiers);
        const HotkeyBinding* twin = registeredTwin(key);
        const std::string line =
            twin ? Filled(instance(), IDS_HOTKEY_SAME_LINE, {name, nameOf(key), nameOf(*twin)})
                 : Filled(instance(), IDS_HOTKEY_LINE, {name, nameOf(key)});
        if (onlyNew && std::find(toldRefused.begin(), toldRefused.end(), line) != toldRefused.end()) return;
        toldRefused.push_back(line);
        (twin ? shared : heldByOthers) += "\n" + line;
    };
    for (const HotkeyBinding* binding : refused) add(*binding);
    if (tildeRefused) add(tilde);
    std::string text;
    if (!heldByOthers.empty()) text = LoadResourceText(instance(), IDS_HOTKEYS_REFUSED) + heldByOthers;
    if (!shared.empty())
        text += (text.empty() ? "" : "\n") + LoadResourceText(instance(), IDS_HOTKEYS_DUPLICATE) + shared;
    if (!text.empty()) Tell(text);
}
