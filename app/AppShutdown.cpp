// Reload after a system change, and the way out: the main window's
// WM_DESTROY (also run when the session ends) and the destructor.
#include "app/PhraseApp.h"

PhraseApp::~PhraseApp()
{
    tray.Remove();
    if (&Platform() == &shellPlatform)
        InstallPlatform(nullptr);
}

void PhraseApp::Reload()
{
    // An open settings dialog keeps the user's unsaved edits: the rebuilt
    // lines must not be added to its list a second time.
    SmartDialog* openDialog = settingsDialog;
    settingsDialog = nullptr;
    LoadSettings(false);
    settingsDialog = openDialog;
}

void PhraseApp::OnDestroy()
{
    // The end of a session runs this before the window goes; a second run
    // would save the history emptied by the first over "clip.dat".
    if (shutDown)
        return;
    shutDown = true;
    hotkeys.Clear();
    ChangeClipboardChain(hwnd(), nextViewer);
    nextViewer = nullptr;
    SaveHistory();
    ClearPhraseMenus();
    ClearHistory();
    PostQuitMessage(0);
}
