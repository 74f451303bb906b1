#include "Recorder.h"

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
