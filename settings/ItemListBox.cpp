#include "settings/ItemListBox.h"

#include "resource.h"
#include "settings/LineEdit.h"
#include "settings/SettingsDialog.h"

ItemListBox::ItemListBox(SettingsDialog* owner) : SmartControl(IDC_ITEM_LIST), dialog(owner) {}

void ItemListBox::OnKeyDown(WPARAM key, LPARAM) {
    if (!HandleArrowKey(key)) ForwardCurrent();
}

bool ItemListBox::HandleArrowKey(WPARAM key) {
    if (key != VK_UP && key != VK_DOWN && key != VK_LEFT && key != VK_RIGHT) return false;
    if (!dialog || !IsBound()) return true;
    const int count = static_cast<int>(SendMsg(LB_GETCOUNT));
    if (KeyHeld(VK_SHIFT) || KeyHeld(VK_CONTROL)) {
        switch (key) {
            case VK_UP:
                dialog->ClickButton(IDC_MOVE_UP_BUTTON);
                break;
            case VK_DOWN:
                dialog->ClickButton(IDC_MOVE_DOWN_BUTTON);
                break;
            case VK_LEFT:
                dialog->MoveItem(0);
                break;
            default:
                dialog->MoveItem(count - 1);
                break;
        }
        return true;
    }
    switch (key) {
        case VK_UP:
            StepSelection(-1);
            break;
        case VK_DOWN:
            StepSelection(1);
            break;
        case VK_LEFT:
            SetCurSel(0);
            break;
        default:
            SetCurSel(count - 1);
            break;
    }
    dialog->ReportSelectionChange();
    return true;
}

void ItemListBox::StepSelection(int step) {
    const int count = static_cast<int>(SendMsg(LB_GETCOUNT));
    if (count <= 0) return;
    const int current = GetCurSel();
    int next = current + step;
    if (current < 0)
        next = step < 0 ? count - 1 : 0;
    else if (next < 0)
        next = count - 1;
    else if (next >= count)
        next = 0;
    SetCurSel(next);
}

void ItemListBox::RefreshDragRect() {
    dragRect = RECT{};
    SendMsg(LB_GETITEMRECT, static_cast<WPARAM>(GetCurSel()), reinterpret_cast<LPARAM>(&dragRect));
}

void ItemListBox::OnLButtonDblClk(WPARAM, int, int) {
    ForwardCurrent();
    if (!IsBound()) return;
    dragging = 1;
    previousCapture = SetCapture(hwnd());
    RefreshDragRect();
}

void ItemListBox::OnMouseMove(WPARAM, int, int y) {
    ForwardCurrent();
    if (!dragging || !dialog) return;
    if (y < dragRect.top) {
        dialog->ClickButton(IDC_MOVE_UP_BUTTON);
        RefreshDragRect();
    }
    if (y > dragRect.bottom) {
        dialog->ClickButton(IDC_MOVE_DOWN_BUTTON);
        RefreshDragRect();
    }
}

void ItemListBox::OnLButtonUp(WPARAM, int, int) {
    ForwardCurrent();
    if (!dragging) return;
    dragging = 0;
    if (previousCapture && IsWindow(previousCapture))
        SetCapture(previousCapture);
    else
        ReleaseCapture();
    previousCapture = nullptr;
}
