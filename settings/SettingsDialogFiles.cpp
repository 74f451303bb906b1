// Moving the selected item and inserting file names, chosen or dropped.
#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <array>
#include <string>

#include "resource.h"
#include "settings/DialogText.h"
#include "settings/LineText.h"
#include "settings/SettingsDialog.h"

namespace {

// The whole current directory, however long; empty when it cannot be read.
std::string CurrentDirectory() {
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    if (size == 0) return {};
    std::string directory(size, '\0');
    const DWORD length = GetCurrentDirectoryA(size, directory.data());
    if (length == 0 || length >= size) return {};
    directory.resize(length);
    return directory;
}

// The common dialogs' library, loaded when the chooser is first used: most
// days it is not, and it brings several libraries with it.
BOOL ChooseFile(OPENFILENAMEA* request) {
    using Chooser = BOOL(WINAPI*)(OPENFILENAMEA*);
    static const HMODULE library = LoadLibraryA("comdlg32.dll");
    static const auto chooser =
        reinterpret_cast<Chooser>(reinterpret_cast<void (*)()>(GetProcAddress(library, "GetOpenFileNameA")));
    return library && chooser && chooser(request);
}

}  // namespace

void SettingsDialog::MoveItem(int target) {
    const int selected = SelectedIndex();
    if (target == -1 || selected == LB_ERR) {
        for (SmartControl* control : {&deleteButton, &changeButton, &moveUpButton, &moveDownButton})
            Enable(*control, false);
        return;
    }
    if (target != selected) {
        const std::string text = LineAt(selected);
        const auto data = itemList.SendMsg(LB_GETITEMDATA, static_cast<WPARAM>(selected));
        // Inserted before the old item is deleted, so a failed insertion loses nothing.
        const int insertAt = target > selected ? target + 1 : target;
        const auto inserted = itemList.SendMsg(LB_INSERTSTRING, static_cast<WPARAM>(insertAt),
                                               reinterpret_cast<LPARAM>(text.c_str()));
        if (inserted < 0) return;
        itemList.SendMsg(LB_SETITEMDATA, static_cast<WPARAM>(inserted), data);
        itemList.SendMsg(LB_DELETESTRING, static_cast<WPARAM>(target > selected ? selected : selected + 1));
        itemList.SetCurSel(target);
    }
    moving = 1;
    ReportSelectionChange();
    moving = 0;
}

void SettingsDialog::MoveUp() {
    const int selected = SelectedIndex();
    if (selected != 0) MoveItem(selected - 1);
}

void SettingsDialog::MoveDown() {
    const int selected = SelectedIndex();
    if (selected + 1 != LineCount()) MoveItem(selected + 1);
}

int SettingsDialog::LineEditEnd() {
    const auto lastLine = lineEdit.SendMsg(EM_GETLINECOUNT) - 1;
    const auto lineStart = lineEdit.SendMsg(EM_LINEINDEX, static_cast<WPARAM>(lastLine));
    if (lineStart < 0) return 0;
    return static_cast<int>(lineStart + lineEdit.SendMsg(EM_LINELENGTH, static_cast<WPARAM>(lineStart)));
}

void SettingsDialog::InsertFileName(std::string_view path) {
    DWORD start = 0;
    DWORD end = 0;
    lineEdit.SendMsg(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    // Selection and end in the edit's own units, which need not be bytes.
    const int textEnd = LineEditEnd();
    SetFocus(lineEdit.hwnd());
    const bool insideText = static_cast<int>(end - start) < textEnd;
    const std::string text =
        insideText ? std::string(path) : CommandLineForPath(path, LoadDialogString(IDS_MEMO_COMMAND_PREFIX));
    lineEdit.SendMsg(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void SettingsDialog::InsertFileFromDialog() {
    const std::string savedDirectory = CurrentDirectory();
    const std::string title = LoadDialogString(IDS_OPEN_FILE_TITLE);
    // A path that does not fit makes the dialog fail: nothing is inserted.
    std::array<char, MAX_PATH> file{};
    OPENFILENAMEA request{};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = hwnd();
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrTitle = title.c_str();
    request.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES;
    if (ChooseFile(&request)) InsertFileName(file.data());
    if (!savedDirectory.empty()) SetCurrentDirectoryA(savedDirectory.c_str());
}

void SettingsDialog::OnDropFiles(HDROP drop) {
    // Only the first file counts; a path longer than MAX_PATH is refused whole.
    const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    if (length > 0 && length < MAX_PATH) {
        std::string path(length + 1, '\0');
        const UINT copied = DragQueryFileA(drop, 0, path.data(), length + 1);
        path.resize(copied <= length ? copied : length);
        InsertFileName(path);
    }
    DragFinish(drop);
    if (!IsBound()) return;
    if (HWND ownerWindow = GetWindow(hwnd(), GW_OWNER)) SetForegroundWindow(ownerWindow);
    SetForegroundWindow(hwnd());
    SetActiveWindow(hwnd());
}
