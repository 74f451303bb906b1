// Reload after a system change, the work that waits for open menus and
// messages, and the way out: the main window's WM_DESTROY (also run when the
// session ends) and the destructor.
#include "app/PhraseApp.h"

#include <algorithm>
#include <utility>

#include "resource.h"

PhraseApp::~PhraseApp() {
    tray.Remove();
    if (&Platform() == &iconCache) InstallPlatform(nullptr);
}

void PhraseApp::Reload() {
    // The records of an open menu must stay until it has closed, and the
    // problems being told must stay until they are told.
    reloadPending = true;
    if (MustWait()) return;
    reloadPending = false;
    // An open settings dialog keeps the user's unsaved edits: the rebuilt
    // lines must not be added to its list a second time.
    SmartDialog* openDialog = settingsDialog;
    settingsDialog = nullptr;
    // The rebuild may number the items anew: the registered hotkeys go with
    // the old numbers and come back with the new ones, each on its own item.
    const bool registered = globalHotkeys.registered();
    if (registered) globalHotkeys.Unregister(hwnd(), hotkeys.head());
    const std::vector<std::string> told = readProblems;
    LoadSettings(false);
    std::vector<const HotkeyBinding*> refused;
    if (registered) refused = globalHotkeys.Register(hwnd(), hotkeys.head());
    settingsDialog = openDialog;
    // A file that still cannot be read was told about already.
    const auto firstLine = [](const std::string& text) { return text.substr(0, text.find('\n')); };
    const std::vector<std::string> problems = readProblems;
    for (const std::string& problem : problems) {
        const auto same = [&](const std::string& old) { return firstLine(old) == firstLine(problem); };
        if (std::none_of(told.begin(), told.end(), same)) Tell(problem);
    }
    TellRefusedHotkeys(refused, false, true);
}

// Posted, so that it runs from the queue once nothing waits any more.
void PhraseApp::PostDeferredWork() {
    if (deferredWorkPosted || (!reloadPending && !history.HasWaiting())) return;
    deferredWorkPosted = PostMessageA(hwnd(), WM_COMMAND, IDM_RELOAD, 0) != FALSE;
}

void PhraseApp::RunDeferredWork() {
    deferredWorkPosted = false;
    if (!menuOpen) history.HoldStill(false);
    if (reloadPending) Reload();
}

// What a non-resident process held back, now that its delivery is done.
void PhraseApp::TellHeldBack() {
    deliveryDone = true;
    for (const HeldBack& message : std::exchange(heldBack, {}))
        MessageBoxA(hwnd(), message.text.c_str(), message.caption.c_str(), message.type);
}

void PhraseApp::OnDestroy() {
    // The end of a session runs this before the window goes; a second run
    // would save the history emptied by the first over "clip.dat".
    if (shutDown) return;
    shutDown = true;
    KillTimer(hwnd(), ForegroundWatch);
    target.StopFollowing();
    globalHotkeys.ListenToKeys(hwnd(), false);
    hotkeys.Clear();
    clipboard.Leave(hwnd());
    SaveHistoryOrTell();
    menus.Clear();
    history.Clear();
    PostQuitMessage(0);
}

// A history that could not be read was told about at start-up and is kept on
// purpose; only a failed write is news. While the session ends nothing may wait.
void PhraseApp::SaveHistoryOrTell() {
    if (SaveHistory() == SaveOutcome::Failed && !sessionEnding)
        Tell(SaveProblemText(historyPath, SaveOutcome::Failed));
}
