#include "Recorder.h"

namespace {

const char* Bound(const SmartWindow* object) { return object ? "object" : "none"; }

}  // namespace

Log Only(const Log& log, std::initializer_list<const char*> prefixes) {
    Log kept;
    for (const std::string& entry : log)
        for (const char* prefix : prefixes)
            if (entry.rfind(prefix, 0) == 0) {
                kept.push_back(entry);
                break;
            }
    return kept;
}

RecordingWindow::~RecordingWindow() {
    if (IsBound()) DestroyWindow(hwnd());
}

bool RecordingWindow::CreatePlain(HWND parent, int id) {
    const DWORD style = parent ? WS_CHILD : WS_OVERLAPPEDWINDOW;
    return Create("recorder", nullptr, parent, style, 0, 0, 0, 200, 100,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

LRESULT RecordingWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    Write(Entry("Default", message));
    return SmartWindow::DefaultProc(message, wParam, lParam);
}

void RecordingWindow::OnCommand(UINT code, UINT id, HWND control) {
    Write(Entry("OnCommand", code, id, Bound(FindWindowObject(control))));
}

void RecordingWindow::OnControlClicked(UINT id, SmartWindow* control) {
    Write(Entry("OnControlClicked", id, Bound(control)));
}

void RecordingWindow::OnControlNotify(UINT code, UINT id, SmartWindow* control) {
    Write(Entry("OnControlNotify", code, id, Bound(control)));
}

LRESULT RecordingWindow::OnTrayMessage(WPARAM icon, LPARAM event) {
    Write(Entry("OnTrayMessage", icon, event));
    return 0;
}
