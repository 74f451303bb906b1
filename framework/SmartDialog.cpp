#include "SmartDialog.h"

#include "CommonControls.h"

#include "CommonWindowProc.h"
#include "SmartApplication.h"

SmartDialog::SmartDialog() : okButton_(IDOK), cancelButton_(IDCANCEL) { SetKind(WindowKind::Dialog); }

SmartDialog::~SmartDialog() = default;

void SmartDialog::SetTemplate(const char* templateName, HWND parent) {
    parentWindow_ = parent;
    if (IS_INTRESOURCE(templateName)) {
        dialogTemplate_ = templateName;
    } else {
        templateName_ = templateName;
        dialogTemplate_ = templateName_.c_str();
    }
    SetKind(WindowKind::Dialog);
    owner_ = FindWindowObject(parent ? parent : MainWindowHandle());
}

void SmartDialog::SetTemplate(WORD templateNumber, HWND parent) {
    SetTemplate(MAKEINTRESOURCEA(templateNumber), parent);
}

int SmartDialog::ShowModal() {
    LoadCommonControls();  // the classes of the controls in the template
    // A bound dialog is already on screen; a second window would have no object.
    if (IsBound()) return -1;
    const SmartApplication* app = GetApp();
    result_ = -1;
    showing_ = true;
    DialogBoxParamA(app ? app->instance() : nullptr, dialogTemplate_, parentWindow_, CommonDialogProc, 0);
    showing_ = false;
    return result_;
}

SmartWindow* SmartDialog::LiveOwner() const { return owner_ && IsRegistered(owner_) ? owner_ : nullptr; }

BOOL SmartDialog::OnInitDialog(WPARAM, LPARAM) {
    if (SmartWindow* owner = LiveOwner()) {
        owner->PreDialogInit(dialogTemplate_, this);
        owner->OnDialogInit(dialogTemplate_, this);
    }
    return TRUE;
}

void SmartDialog::OnOK() {
    if (SmartWindow* owner = LiveOwner()) {
        owner->PreDialogOk(dialogTemplate_, this);
        owner->OnDialogOk(dialogTemplate_, this);
    }
    EndModal(1);
}

void SmartDialog::OnCancel() {
    if (SmartWindow* owner = LiveOwner()) {
        owner->PreDialogCancel(dialogTemplate_, this);
        owner->OnDialogCancel(dialogTemplate_, this);
    }
    EndModal(0);
}

void SmartDialog::EndModal(int result) {
    result_ = result;
    ReleaseDialogControls(this);
    UnbindChildControls(this);
    if (IsBound()) EndDialog(hwnd(), result);
    BindWindow(nullptr);
}

LRESULT SmartDialog::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog(wParam, lParam);
    return 0;
}

void SmartDialog::OnCommand(UINT code, UINT id, HWND) {
    if (code == 0 && id == IDOK)
        OnOK();
    else if (code == 0 && id == IDCANCEL)
        OnCancel();
    ForwardCurrent();
}
