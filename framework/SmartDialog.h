#pragma once

#include <string>

#include "SmartControl.h"
#include "SmartWindow.h"

// A modal dialog from a dialog template. The window part is a virtual base,
// so a class derived from a dialog shares one SmartWindow part. Control
// members of derived classes are bound when the dialog window is created.
class SmartDialog : public virtual SmartWindow {
  public:
    SmartDialog();
    ~SmartDialog() override;

    // Runs the dialog and returns the value given to EndModal: 1 after OK,
    // 0 after Cancel, -1 when the dialog could not be shown or ended
    // without EndModal.
    virtual int ShowModal();
    // Notifies the owner (PreDialogInit, OnDialogInit) and returns TRUE.
    virtual BOOL OnInitDialog(WPARAM wParam, LPARAM lParam);
    // Notify the owner, then EndModal with 1 (OK) or 0 (Cancel).
    virtual void OnOK();
    virtual void OnCancel();

    // The owner object is the object of the parent window, or of the main
    // window when the parent is null (the dialog then has no owner window).
    void SetTemplate(const char* templateName, HWND parent);
    void SetTemplate(WORD templateNumber, HWND parent);
    // Releases the controls, ends the dialog and unbinds it at once.
    void EndModal(int result);

    // Declines every message except WM_INITDIALOG.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Routes IDOK to OnOK and IDCANCEL to OnCancel.
    void OnCommand(UINT code, UINT id, HWND control) override;

    int result() const { return result_; }
    HWND parentWindow() const { return parentWindow_; }
    LPCSTR dialogTemplate() const { return dialogTemplate_; }
    SmartWindow* owner() const { return owner_; }
    bool IsShowing() const { return showing_; }

  protected:
    SmartControl okButton_;
    SmartControl cancelButton_;

  private:
    // The owner, while it still exists.
    SmartWindow* LiveOwner() const;

    int result_ = 0;
    HWND parentWindow_ = nullptr;
    LPCSTR dialogTemplate_ = nullptr;
    SmartWindow* owner_ = nullptr;
    std::string templateName_;
    bool showing_ = false;
};
