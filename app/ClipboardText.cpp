// Clipboard text taken in: into the history when the clipboard changes, or
// as a new phrase on the command "文字追加 (&I)".
#include "app/ClipboardAccess.h"
#include "app/PhraseApp.h"

namespace {

constexpr std::size_t clipboardTextLimit = 2047;

}  // namespace

void PhraseApp::ReadClipboardText(bool asPhrase) {
    std::optional<std::string> text;
    {
        ClipboardSession clipboard(hwnd());
        if (!clipboard.IsOpen()) return;
        // Text a password manager marks as private never reaches the
        // history, nor "clip.dat"; asked for as a phrase it is the user's choice.
        if (!asPhrase && ClipboardIsPrivate()) return;
        text = OpenClipboardText(clipboardTextLimit);
    }
    if (!text || text->empty()) return;
    if (asPhrase) {
        menus.AddLine(*text, menus.phrases(), nullptr);
        TellSaveProblem(settingsPath, SaveSettings());
    } else {
        history.Add(*text);
    }
}
