#include "Recorder.h"

namespace {

const char* Bound(const SmartWindow* object) { return object ? "object" : "none"; }

}  // namespace

std::string Only(const Log& log, std::initializer_list<const char*> prefixes) {
    std::string kept;
    for (const std::string& entry : log)
        for (const char* prefix : prefixes)
            if (entry.rfind(prefix, 0) == 0) {
                kept += (kept.empty() ? "" : ", ") + entry;
                break;
            }
    return kept;
}

RecordingWindow::~RecordingWindow() {
    if (IsBound()) DestroyWindow(hwnd());
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
