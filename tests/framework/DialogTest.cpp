#include <functional>

#include "CommonWindowProc.h"
#include "FrameworkTestIds.h"
#include "FrameworkTestSupport.h"
#include "SmartDialog.h"
#include "WindowRegistry.h"

namespace {

Log* probeLog = nullptr;

// The procedure of the watched control class: writes what it receives.
LRESULT CALLBACK ProbeControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
    if (probeLog && (message == WM_KEYDOWN || message == WM_NCDESTROY))
        probeLog->push_back("native " + MessageName(message) + " " + Hex(wParam));
    return DefWindowProcA(window, message, wParam, lParam);
}

class TestDialog : public SmartDialog {
  public:
    explicit TestDialog(Log* log) : log_(log) {
        SetLabel(this, "dialog");
        SetTemplate(IDD_TEST_DIALOG, nullptr);
    }

    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override {
        log_->push_back("OnInitDialog");
        const BOOL result = SmartDialog::OnInitDialog(wParam, lParam);
        if (onInit) onInit(*this);
        return result;
    }
    void OnOK() override {
        log_->push_back("OnOK");
        SmartDialog::OnOK();
    }
    void OnCancel() override {
        log_->push_back("OnCancel");
        SmartDialog::OnCancel();
    }
    void OnKeyDown(WPARAM key, LPARAM) override {
        log_->push_back("dialog OnKeyDown " + Hex(key));
        EndModal(7);
    }
    void OnDestroy() override {
        log_->push_back("OnDestroy");
        SmartDialog::OnDestroy();
    }

    SmartControl& okButton() { return okButton_; }
    SmartControl& cancelButton() { return cancelButton_; }

    SmartControl edit{IDC_TEST_EDIT};
    SmartControl editTwin{IDC_TEST_EDIT};
    SmartControl list{IDC_TEST_LIST};
    SmartControl button{IDC_TEST_BUTTON};
    SmartControl unnamed{0xFFFF};
    SmartControl probe{IDC_TEST_PROBE};
    std::function<void(TestDialog&)> onInit;

  private:
    Log* log_;
};

class DialogTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        WNDCLASSA probeClass{};
        probeClass.lpfnWndProc = ProbeControlProc;
        probeClass.hInstance = instance();
        probeClass.lpszClassName = PROBE_CONTROL_CLASS;
        RegisterClassA(&probeClass);
        probeLog = &log;
    }
    void TearDown() override {
        probeLog = nullptr;
        FrameworkTest::TearDown();
        UnregisterClassA(PROBE_CONTROL_CLASS, instance());
    }

    std::vector<SmartControl*> Controls(TestDialog& dialog) {
        return {&dialog.edit,    &dialog.editTwin, &dialog.list,       &dialog.button,
                &dialog.unnamed, &dialog.probe,    &dialog.okButton(), &dialog.cancelButton()};
    }

    Log log;
};

HWND FindStaticChild(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = "";
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") == 0) return child;
    }
    return nullptr;
}

}  // namespace

TEST_F(DialogTest, BindsControlsByIdentifierBeforeItsOwnInitDialog) {
    SmartControl early(IDC_TEST_BUTTON);
    TestDialog dialog(&log);
    HWND edit = nullptr;
    dialog.onInit = [&](TestDialog& d) {
        const HWND hwnd = d.hwnd();
        edit = GetDlgItem(hwnd, IDC_TEST_EDIT);
        EXPECT_EQ(static_cast<SmartWindow*>(&d), FindWindowObject(hwnd));
        EXPECT_EQ(edit, d.edit.hwnd());
        EXPECT_FALSE(d.editTwin.IsBound()) << "only the first object with the identifier";
        EXPECT_EQ(GetDlgItem(hwnd, IDC_TEST_LIST), d.list.hwnd());
        EXPECT_EQ(GetDlgItem(hwnd, IDC_TEST_BUTTON), d.button.hwnd());
        EXPECT_FALSE(early.IsBound()) << "constructed before its dialog";
        EXPECT_EQ(0xFFFF, GetDlgCtrlID(FindStaticChild(hwnd)));
        EXPECT_FALSE(d.unnamed.IsBound()) << "0xFFFF statics are never bound";
        EXPECT_EQ(GetDlgItem(hwnd, IDOK), d.okButton().hwnd());
        EXPECT_EQ(GetDlgItem(hwnd, IDCANCEL), d.cancelButton().hwnd());
        EXPECT_EQ(static_cast<SmartWindow*>(&d), d.edit.parent());
        EXPECT_TRUE(d.edit.boundById());
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(CommonWindowProc), GetWindowLongPtrA(edit, GWLP_WNDPROC));
        d.EndModal(5);
        EXPECT_FALSE(d.IsBound()) << "unbound at once";
        EXPECT_NE(reinterpret_cast<LONG_PTR>(CommonWindowProc), GetWindowLongPtrA(edit, GWLP_WNDPROC));
    };
    EXPECT_EQ(5, dialog.ShowModal());
    EXPECT_EQ(5, dialog.result());
    EXPECT_EQ(Log{"OnInitDialog"}, log) << "an ended dialog never sees OnDestroy";
    for (SmartControl* control : Controls(dialog)) {
        EXPECT_FALSE(control->IsBound());
        EXPECT_TRUE(IsRegistered(control));
    }
    EXPECT_EQ(nullptr, FindWindowObject(edit));
    EXPECT_TRUE(NoWindowBound());
    EXPECT_EQ(0, app->lastWindowCalls);
}

TEST_F(DialogTest, KeysAndButtonsEndTheDialogThroughOkAndCancel) {
    Log ownerLog;
    RecordingWindow owner(&ownerLog, "owner");
    ASSERT_TRUE(owner.CreateDefault());
    SetMainWindowHandle(owner.hwnd());
    TestDialog dialog(&log);
    EXPECT_EQ(&owner, dialog.owner()) << "the main window owns a dialog without a parent";
    EXPECT_EQ(nullptr, dialog.parentWindow());

    struct Row {
        const char* name;
        std::function<void(HWND)> act;
        int expected;
        const char* handler;
        const char* notice;
    };
    const Row rows[] = {
        {"Enter", [](HWND d) { PostMessageA(GetDlgItem(d, IDC_TEST_EDIT), WM_KEYDOWN, VK_RETURN, 0); }, 1,
         "OnOK", "DialogOk"},
        {"Escape", [](HWND d) { PostMessageA(GetDlgItem(d, IDC_TEST_EDIT), WM_KEYDOWN, VK_ESCAPE, 0); }, 0,
         "OnCancel", "DialogCancel"},
        {"close box", [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); }, 0, "OnCancel", "DialogCancel"},
        {"OK click", [](HWND d) { PostMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0); }, 1, "OnOK",
         "DialogOk"},
        {"Cancel click", [](HWND d) { PostMessageA(GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0); }, 0, "OnCancel",
         "DialogCancel"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        log.clear();
        ownerLog.clear();
        HWND ownerWindow = reinterpret_cast<HWND>(1);
        dialog.onInit = [&](TestDialog& d) {
            ownerWindow = GetWindow(d.hwnd(), GW_OWNER);
            row.act(d.hwnd());
        };
        EXPECT_EQ(row.expected, dialog.ShowModal());
        EXPECT_EQ(nullptr, ownerWindow);
        EXPECT_EQ((Log{"OnInitDialog", row.handler}), Only(log, {"On"}));
        const std::string notice = row.notice;
        EXPECT_EQ((Log{"PreDialogInit 200 dialog", "OnDialogInit 200 dialog", "Pre" + notice + " 200 dialog",
                       "On" + notice + " 200 dialog"}),
                  Only(ownerLog, {"PreDialog", "OnDialog"}));
        for (SmartControl* control : Controls(dialog)) EXPECT_FALSE(control->IsBound());
        EXPECT_FALSE(dialog.IsBound());
    }
    owner.Destroy();
}

TEST_F(DialogTest, KeyDownReachesTheControlThenItsDialog) {
    TestDialog dialog(&log);
    dialog.SetTemplate(IDD_PROBE_DIALOG, nullptr);
    dialog.onInit = [](TestDialog& d) {
        EXPECT_TRUE(d.probe.IsBound());
        PostMessageA(d.probe.hwnd(), WM_KEYDOWN, 'K', 0);
    };
    EXPECT_EQ(7, dialog.ShowModal());
    EXPECT_EQ((Log{"native WM_KEYDOWN 0x4B", "dialog OnKeyDown 0x4B", "native WM_NCDESTROY 0x0"}),
              Only(log, {"native", "dialog"}))
        << "the control's own procedure is back before its window goes";
}

TEST_F(DialogTest, DialogEndedWithoutEndModalIsUnboundOnDestroy) {
    TestDialog dialog(&log);
    dialog.SetTemplate(IDD_PROBE_DIALOG, nullptr);
    dialog.onInit = [](TestDialog& d) { EndDialog(d.hwnd(), 3); };
    EXPECT_EQ(-1, dialog.ShowModal()) << "no value of EndModal";
    EXPECT_EQ((Log{"OnInitDialog", "OnDestroy", "native WM_NCDESTROY 0x0"}), Only(log, {"On", "native"}));
    EXPECT_FALSE(dialog.IsBound());
    EXPECT_FALSE(dialog.probe.IsBound());
    EXPECT_EQ(1, app->lastWindowCalls);
}

TEST_F(DialogTest, MissingTemplateReturnsMinusOne) {
    TestDialog dialog(&log);
    dialog.SetTemplate(999, nullptr);
    EXPECT_EQ(-1, dialog.ShowModal());
    EXPECT_EQ(-1, dialog.result());
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(NoWindowBound());
}

TEST_F(DialogTest, TemplateNameIsKeptAndParentOwnsTheDialog) {
    Log ownerLog;
    RecordingWindow owner(&ownerLog, "owner");
    ASSERT_TRUE(owner.CreateDefault());
    TestDialog dialog(&log);
    char name[] = "#200";
    dialog.SetTemplate(name, owner.hwnd());
    name[1] = '9';
    EXPECT_EQ(owner.hwnd(), dialog.parentWindow());
    EXPECT_EQ(&owner, dialog.owner());
    HWND ownerWindow = nullptr;
    dialog.onInit = [&](TestDialog& d) {
        ownerWindow = GetWindow(d.hwnd(), GW_OWNER);
        d.EndModal(4);
    };
    EXPECT_EQ(4, dialog.ShowModal());
    EXPECT_EQ(owner.hwnd(), ownerWindow);
    EXPECT_EQ((Log{"PreDialogInit #200 dialog", "OnDialogInit #200 dialog"}),
              Only(ownerLog, {"PreDialog", "OnDialog"}));
    owner.Destroy();
}

TEST_F(DialogTest, InitDialogBindsOnlyTheDialogBeingShown) {
    SmartControl stray(IDC_TEST_EDIT);
    const HWND unowned =
        CreateDialogParamA(instance(), MAKEINTRESOURCEA(IDD_TEST_DIALOG), nullptr, CommonDialogProc, 0);
    ASSERT_NE(nullptr, unowned);
    EXPECT_EQ(nullptr, FindWindowObject(unowned));
    EXPECT_FALSE(stray.IsBound());
    EXPECT_EQ(0, CommonWindowProc(unowned, WM_INITDIALOG, 0, 0));
    DestroyWindow(unowned);

    TestDialog idle(&log), shown(&log);
    bool idleBound = true;
    shown.onInit = [&](TestDialog& d) {
        idleBound = idle.IsBound() || idle.edit.IsBound();
        EXPECT_TRUE(d.edit.IsBound());
        d.EndModal(2);
    };
    EXPECT_EQ(2, shown.ShowModal());
    EXPECT_FALSE(idleBound) << "a dialog object not being shown stays unbound";
}

TEST_F(DialogTest, TextSetWhileUnboundIsNotPushedIntoTheControl) {
    TestDialog dialog(&log);
    dialog.button.SetText("別ソ");
    EXPECT_STREQ("別ソ", dialog.button.GetText());
    std::string shown;
    dialog.onInit = [&](TestDialog& d) {
        shown = d.button.GetText();
        d.EndModal(1);
    };
    EXPECT_EQ(1, dialog.ShowModal());
    EXPECT_EQ("押す", shown);
    EXPECT_STREQ("押す", dialog.button.GetText()) << "the text last read stays stored";
}
