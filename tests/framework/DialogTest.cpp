#include "DialogSteps.h"
#include "FrameworkFixture.h"
#include "SmartControl.h"
#include "SmartDialog.h"
#include "resource.h"

namespace {

using FrameworkDialog = FrameworkTest;

// The settings template as a plain dialog: edits, buttons and statics without identifier.
struct PlainDialog : SmartDialog {
    explicit PlainDialog(WORD templateId = IDD_SETTINGS) { SetTemplate(templateId, nullptr); }
    void OnKeyDown(WPARAM key, LPARAM) override { keys.push_back(key); }
    std::vector<WPARAM> keys;
    SmartControl lineEdit{IDC_LINE_EDIT};
    SmartControl withoutId{-1};
};

TEST_F(FrameworkDialog, OwnerHearsInitThenOkOrCancelAndNothingStaysBound) {
    RecordingWindow owner(&log);
    ASSERT_TRUE(owner.CreatePlain());
    SetMainWindowHandle(owner.hwnd());
    const struct {
        int key;
        int result;
        const char* notices;
    } rows[] = {
        {VK_RETURN, 1, "PreDialogInit, OnDialogInit, PreDialogOk, OnDialogOk"},
        {VK_ESCAPE, 0, "PreDialogInit, OnDialogInit, PreDialogCancel, OnDialogCancel"},
    };
    for (const auto& row : rows) {
        log.clear();
        PlainDialog dialog(IDD_ABOUT);
        int result = -1;
        RunDialog([&] { result = dialog.ShowModal(); }, {Press(IDOK, row.key)});
        EXPECT_EQ(row.result, result);
        EXPECT_EQ(row.notices, Only(log, {"Pre", "OnDialog"}));
        EXPECT_FALSE(dialog.IsBound());
    }
    PlainDialog missing(999);
    EXPECT_EQ(-1, missing.ShowModal());
}

TEST_F(FrameworkDialog, ControlsBindByIdentifierToTheDialogBeingShown) {
    SmartControl earlier(IDC_LINE_EDIT);
    PlainDialog waiting;
    PlainDialog dialog;
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
             EXPECT_FALSE(nested.IsBound()) << "released with its dialog, though no direct child";
         })});
}

}  // namespace
