#pragma once

#include <string>

#include "SmartSubclassWindow.h"

// A control of a dialog, bound by its identifier when the dialog window is
// created (construct it after its dialog object: members of the dialog
// class are). Small text, number, check-box and list-box operations; every
// other control message is sent with SendMsg.
class SmartControl : public SmartSubclassWindow {
  public:
    explicit SmartControl(int id, SmartWindow* parent = nullptr);
    ~SmartControl() override;

    // The window text (or, while unbound, the text stored by SetText); the
    // pointer stays valid until the next GetText or SetText. Never null.
    const char* GetText();
    // Copies at most size - 1 bytes and a terminating zero; while unbound a
    // double-byte character is never cut in half. Returns the byte count.
    int GetTextInto(char* buffer, int size);
    // While unbound the text is only stored for GetText and GetInt.
    BOOL SetText(const char* text);
    BOOL SetInt(int value);
    // Leading spaces, an optional "-", spaces, then decimal digits; anything
    // else ends the number. Values beyond the int range saturate at
    // INT_MAX or INT_MIN.
    int GetInt();
    int GetCheck();
    void SetCheck(int state);
    int GetCurSel();
    int SetCurSel(int index);

    SmartWindow* parent() const { return parent_; }
    bool boundById() const { return boundById_; }

    // Key presses are passed on to the parent dialog after the control's
    // own procedure has seen them.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDrawItem(DRAWITEMSTRUCT* item) override;

  private:
    friend void BindDialogControls(RegistryNode*);
    void BindById(HWND window, SmartWindow* dialog);

    std::string storedText_;
    bool boundById_ = false;
    SmartWindow* parent_;
};
