#include "DialogSteps.h"
#include "FrameworkFixture.h"
#include "SmartControl.h"
#include "SmartDialog.h"
#include "resource.h"

namespace {

using FrameworkDialog = FrameworkTest;

// The settings template as a plain dialog: edits, buttons and statics without identifier.
struct PlainDialog : SmartDialog {
    PlainDialog() { SetTemplate(IDD_SETTINGS, nullptr); }
    void OnKeyDown(WPARAM key, LPARAM) override { keys.push_back(key); }
    std::vector<WPARAM> keys;
    SmartControl lineEdit{IDC_LINE_EDIT};
    SmartControl withoutId{-1};
};

TEST_F(FrameworkDialog, ControlsBindByIdentifierToTheDialogBeingShown) {
    SmartControl earlier(IDC_LINE_EDIT);
    PlainDialog waiting, dialog;
    SmartControl bySubclass(5555, &dialog);
    SmartControl nested(5556, &dialog);
    RunDialog(
        [&] { dialog.ShowModal(); },
        {Expect([&](HWND window) {
             EXPECT_TRUE(dialog.lineEdit.IsBound());
             EXPECT_FALSE(earlier.IsBound() || waiting.IsBound() || dialog.withoutId.IsBound());
             bySubclass.Subclass(GetDlgItem(window, IDC_DISPLAY_EDIT));
             const HWND box =
                 CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 9, 9, window, nullptr, nullptr, nullptr);
             nested.Subclass(CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 9, 9, box, nullptr, nullptr, nullptr));
         }),
         Press(IDC_LINE_EDIT, 'A'), Press(IDC_DISPLAY_EDIT, 'B'), Expect([&](HWND) {
             EXPECT_EQ(std::vector<WPARAM>{'A'}, dialog.keys) << "only controls bound by id pass keys on";
             dialog.EndModal(7);
             EXPECT_FALSE(dialog.IsBound() || nested.IsBound())
                 << "released with the dialog, though no direct child";
         })});
}

}  // namespace
