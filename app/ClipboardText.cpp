// Clipboard text taken in: into the history when the clipboard changes, or
// as a new phrase on the command "文字追加 (&I)".
#include "ResourceText.h"
#include "app/ClipboardAccess.h"
#include "app/PhraseApp.h"
#include "app/ShiftJisText.h"
#include "resource.h"

namespace {

constexpr std::size_t clipboardTextLimit = 2047;

}  // namespace

void PhraseApp::ReadClipboardText(bool asPhrase) {
    std::optional<CopiedText> copied;
    {
        ClipboardSession clipboard(hwnd());
        if (!clipboard.IsOpen()) return;
        // Text a password manager marks as private never reaches the
        // history, nor "clip.dat"; asked for as a phrase it is the user's choice.
        if (!asPhrase && ClipboardIsPrivate()) return;
        copied = OpenClipboardCopy(clipboardTextLimit);
    }
    if (!copied || copied->shiftJis.empty()) return;
    if (!asPhrase) {
        std::optional<std::u16string> exact;
        if (!copied->exact.empty()) exact.emplace(copied->exact.begin(), copied->exact.end());
        history.Add({std::move(copied->shiftJis), std::move(exact)});
        return;
    }
    // The list is Shift-JIS text: a "?" saved in place of a character would
    // change the phrase for good.
    if (!copied->exact.empty()) {
        std::string lost;
        for (const std::string& character : CharactersLost(copied->exact))
            lost += (lost.empty() ? "" : " ") + character;
        Tell(FilledText(IDS_PHRASE_NOT_KEPT, {lost}));
        return;
    }
    menus.AddLine(copied->shiftJis, menus.phrases(), nullptr);
    TellSaveProblem(settingsPath, SaveSettings());
}
