#pragma once

#include <windows.h>
#include <shellapi.h>

#include "WindowKind.h"
#include "WindowRegistry.h"

class SmartDialog;

// Callback message of every tray icon.
constexpr UINT TrayCallbackMessage = WM_USER + 142;

// The base of all window objects. Dispatch decodes each message into one
// virtual handler and then calls AfterMessage. Handlers not overridden pass
// the current message on to DefaultProc. The object never owns its window.
class SmartWindow {
  public:
    SmartWindow();
    virtual ~SmartWindow();

    SmartWindow(const SmartWindow&) = delete;
    SmartWindow& operator=(const SmartWindow&) = delete;

    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    // Handlers. x and y from lParam are signed 16-bit values; words taken
    // from wParam (and from lParam where said) are unsigned.
    virtual LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void OnDrawItem(DRAWITEMSTRUCT* item);
    virtual void OnActivate(UINT state, HWND otherWindow, UINT minimized);
    virtual void OnPaint();
    virtual void PreCreateWindow(CREATESTRUCTA* create);
    virtual LRESULT OnCreate(CREATESTRUCTA* create);
    virtual void OnSize(WPARAM type, int width, int height);
    virtual void OnMouseMove(WPARAM keys, int x, int y);
    virtual void OnLButtonDown(WPARAM keys, int x, int y);
    virtual void OnLButtonDblClk(WPARAM keys, int x, int y);
    virtual void OnLButtonUp(WPARAM keys, int x, int y);
    virtual void OnRButtonDown(WPARAM keys, int x, int y);
    virtual void OnContextMenu(HWND window, int x, int y);
    virtual void OnRButtonUp(WPARAM keys, int x, int y);
    virtual void OnKeyDown(WPARAM key, LPARAM flags);
    virtual void OnChar(WPARAM character, LPARAM flags);
    virtual void OnKeyUp(WPARAM key, LPARAM flags);
    virtual void OnSysKeyDown(WPARAM key, LPARAM flags);
    virtual void OnSysKeyUp(WPARAM key, LPARAM flags);
    virtual void OnSysCommand(WPARAM command, UINT x, UINT y);
    virtual void OnTimer(WPARAM timerId);
    virtual void OnDropFiles(HDROP drop);
    virtual void OnHScroll(UINT code, UINT position, HWND scrollBar);
    virtual void OnVScroll(UINT code, UINT position, HWND scrollBar);
    virtual void OnClose();
    virtual void OnDestroy();
    virtual void OnInitMenu(HMENU menu);
    virtual void OnInitMenuPopup(HMENU menu, UINT position, UINT systemMenu);
    virtual void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    virtual void OnNotify(WPARAM id, NMHDR* header);
    virtual void OnCommand(UINT code, UINT id, HWND control);
    virtual void OnControlClicked(UINT id, SmartWindow* control);
    virtual void OnControlNotify(UINT code, UINT id, SmartWindow* control);
    virtual void OnCommandId(UINT id);
    virtual void OnTrayMouseMove(WPARAM iconId, int x, int y);
    virtual void OnTrayLButtonDown(WPARAM iconId, int x, int y);
    virtual void OnTrayLButtonDblClk(WPARAM iconId, int x, int y);
    virtual void OnTrayLButtonUp(WPARAM iconId, int x, int y);
    virtual void OnTrayRButtonDown(WPARAM iconId, int x, int y);
    virtual void OnTrayRButtonUp(WPARAM iconId, int x, int y);
    virtual LRESULT OnTrayMessage(WPARAM wParam, LPARAM lParam);
    // Notifications from a dialog this object owns: Pre... first, On... second.
    virtual void OnDialogInit(LPCSTR dialogTemplate, SmartDialog* dialog);
    virtual void PreDialogInit(LPCSTR dialogTemplate, SmartDialog* dialog);
    virtual void OnDialogOk(LPCSTR dialogTemplate, SmartDialog* dialog);
    virtual void PreDialogOk(LPCSTR dialogTemplate, SmartDialog* dialog);
    virtual void OnDialogCancel(LPCSTR dialogTemplate, SmartDialog* dialog);
    virtual void PreDialogCancel(LPCSTR dialogTemplate, SmartDialog* dialog);

    // Creates the native window; the object receives WM_CREATE and all that
    // follows. A null name is the application title, a null class the
    // registered class. False when already bound or when creation fails.
    bool Create(const char* windowName, const char* className, HWND parent, DWORD style, DWORD exStyle, int x,
                int y, int width, int height, HMENU menuOrId);
    void Show(int showCommand);
    void Destroy();
    LRESULT SendMsg(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // A null caption is the application title.
    int ShowMessage(const char* text, const char* caption = nullptr, UINT type = MB_OK);
    // Returns the replaced style (0 when unbound).
    DWORD SetStyle(DWORD style);
    // Loads the menu resource; its first submenu becomes the popup menu
    // shown by OnContextMenu. False when the resource cannot be loaded.
    bool LoadPopupMenu(LPCSTR menuName, UINT defaultItem);

    HWND hwnd() const { return hwnd_; }
    bool IsBound() const { return hwnd_ != nullptr; }
    WindowKind kind() const { return kind_; }
    UINT_PTR id() const { return id_; }
    RegistryNode* node() const { return node_; }
    HACCEL accelerator() const { return accelerator_; }
    void SetAccelerator(HACCEL accelerator) { accelerator_ = accelerator; }
    HMENU popupMenu() const { return popupMenu_; }
    HMENU loadedMenu() const { return loadedMenu_; }
    UINT currentMessage() const { return currentMessage_; }
    WPARAM currentWParam() const { return currentWParam_; }
    LPARAM currentLParam() const { return currentLParam_; }

  protected:
    // DefaultProc with the message being dispatched; what the defaults do.
    LRESULT ForwardCurrent();
    void SetKind(WindowKind kind) { kind_ = kind; }
    void SetId(UINT_PTR id) { id_ = id; }
    void BindWindow(HWND window) { hwnd_ = window; }
    WNDPROC previousProc() const { return previousProc_; }
    void SetPreviousProc(WNDPROC procedure) { previousProc_ = procedure; }
    bool IsSubclassed() const;
    // Puts back a replaced window procedure (while the window exists) and
    // forgets the window.
    void DetachWindow();

  private:
    friend LRESULT CALLBACK CommonWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend void UnbindChildControls(SmartWindow*);

    void DispatchCommand(WPARAM wParam, LPARAM lParam);
    void DispatchDrawItem(WPARAM wParam, LPARAM lParam);
    void DispatchActivate(WPARAM wParam, LPARAM lParam);
    void DispatchDestroy();
    LRESULT DispatchTrayCallback(WPARAM wParam, LPARAM lParam);
    bool DispatchMouse(UINT message, WPARAM wParam, LPARAM lParam);
    bool DispatchKey(UINT message, WPARAM wParam, LPARAM lParam);
    bool DispatchMenu(UINT message, WPARAM wParam, LPARAM lParam);
    void DestroyLoadedMenu();

    UINT currentMessage_ = 0;
    WPARAM currentWParam_ = 0;
    LPARAM currentLParam_ = 0;
    HACCEL accelerator_ = nullptr;
    WNDPROC previousProc_;
    HWND hwnd_ = nullptr;
    WindowKind kind_ = WindowKind::Plain;
    RegistryNode* node_ = nullptr;
    UINT_PTR id_ = 0;
    HMENU popupMenu_ = nullptr;
    HMENU loadedMenu_ = nullptr;
};
