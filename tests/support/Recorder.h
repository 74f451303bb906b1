#pragma once
// A window object that writes every handler call it receives into a log,
// as "Handler arg arg ...", and lets the tests compare sequences.
#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "SmartDialog.h"
#include "SmartWindow.h"

using Log = std::vector<std::string>;

// The entries of log that begin with one of the prefixes, as "entry, entry".
std::string Only(const Log& log, std::initializer_list<const char*> prefixes);

template <typename... Args>
std::string Entry(const char* name, Args... args) {
    std::ostringstream out;
    out << name;
    ((out << ' ' << args), ...);
    return out.str();
}

class RecordingWindow : public SmartWindow {
  public:
    explicit RecordingWindow(Log* log) : log_(log) {}
    ~RecordingWindow() override;
    // A top-level window of the registered class.
    bool CreatePlain() {
        return Create("recorder", nullptr, nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 0, 200, 100, nullptr);
    }
    using SmartWindow::SetKind;

    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AfterMessage(UINT message, WPARAM, LPARAM) override { Write(Entry("After", message)); }
    LRESULT OnCreate(CREATESTRUCTA*) override { return Write(Entry("OnCreate")), 0; }
    void OnDestroy() override { Write(Entry("OnDestroy")); }
    void OnSize(WPARAM type, int w, int h) override { Write(Entry("OnSize", type, w, h)); }
    void OnMouseMove(WPARAM keys, int x, int y) override { Write(Entry("OnMouseMove", keys, x, y)); }
    void OnContextMenu(HWND, int x, int y) override { Write(Entry("OnContextMenu", x, y)); }
    void OnKeyDown(WPARAM key, LPARAM) override { Write(Entry("OnKeyDown", key)); }
    void OnSysCommand(WPARAM command, UINT x, UINT y) override {
        Write(Entry("OnSysCommand", command, x, y));
    }
    void OnHScroll(UINT code, UINT pos, HWND) override { Write(Entry("OnHScroll", code, pos)); }
    void OnMenuSelect(UINT item, UINT flags, HMENU) override { Write(Entry("OnMenuSelect", item, flags)); }
    void OnDrawItem(DRAWITEMSTRUCT* item) override { Write(Entry("OnDrawItem", item->CtlID)); }
    void OnCommandId(UINT id) override { Write(Entry("OnCommandId", id)); }
    void OnCommand(UINT code, UINT id, HWND control) override {
        Write(Entry("OnCommand", code, id, Bound(FindWindowObject(control))));
    }
    void OnControlClicked(UINT id, SmartWindow* control) override {
        Write(Entry("OnControlClicked", id, Bound(control)));
    }
    void OnControlNotify(UINT code, UINT id, SmartWindow* control) override {
        Write(Entry("OnControlNotify", code, id, Bound(control)));
    }
    void OnTrayRButtonUp(WPARAM icon, int, int) override { Write(Entry("OnTrayRButtonUp", icon)); }
    LRESULT OnTrayMessage(WPARAM icon, LPARAM event) override {
        return Write(Entry("OnTrayMessage", icon, event)), 0;
    }
    void PreDialogInit(LPCSTR, SmartDialog*) override { Write("PreDialogInit"); }
    void OnDialogInit(LPCSTR, SmartDialog*) override { Write("OnDialogInit"); }
    void PreDialogOk(LPCSTR, SmartDialog*) override { Write("PreDialogOk"); }
    void OnDialogOk(LPCSTR, SmartDialog*) override { Write("OnDialogOk"); }
    void PreDialogCancel(LPCSTR, SmartDialog*) override { Write("PreDialogCancel"); }
    void OnDialogCancel(LPCSTR, SmartDialog*) override { Write("OnDialogCancel"); }

  protected:
    void Write(const std::string& entry) { log_->push_back(entry); }
    static const char* Bound(const SmartWindow* object) { return object ? "object" : "none"; }

  private:
    Log* log_;
};
