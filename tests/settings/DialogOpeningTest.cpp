// Opening the dialog: what it shows, its layout, activation, OK, Cancel and Update.
#include "DialogHarness.h"

#include <commctrl.h>

#include <climits>

namespace {

std::vector<std::string> ComboTexts(HWND dialog, int comboId) {
    std::vector<std::string> texts;
    const HWND combo = Item(dialog, comboId);
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<std::size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        text.resize(static_cast<std::size_t>(
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        texts.push_back(text);
    }
    return texts;
}

bool HasSystemCommand(HWND dialog, UINT command) {
    return GetMenuState(GetSystemMenu(dialog, FALSE), command, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

HICON ButtonIcon(HWND dialog, int id) {
    return reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, id, BM_GETIMAGE, IMAGE_ICON, 0));
}

class DialogOpening : public SettingsDialogTest {
  protected:
    void SetUp() override {
        SettingsDialogTest::SetUp();
        owner->fill.lines = {{"alpha"}, {"beta", 'K', MOD_CONTROL | MOD_SHIFT}, {"---"}, {" *notepad"}};
        owner->fill.tildeOnShiftZero = true;
        owner->fill.waitForKeyRelease = false;
        owner->fill.historyLimit = 37;
        owner->fill.menuHotkeys = {{0, 'M', MOD_CONTROL | MOD_ALT}, {1, 'H', MOD_SHIFT}, {2, VK_F2, MOD_ALT}};
    }
};

TEST_F(DialogOpening, ShowsTheOwnersValuesAndTheEmptyLineHelp) {
    SettingsDialog dialog;
    const int result = owner->Run(
        dialog, {[&](SettingsDialog& s, HWND d) {
            EXPECT_EQ(ResourceString(IDS_HELP_LINE), Status(d)) << "the line edit reported its focus";
            EXPECT_EQ(Item(d, IDC_LINE_EDIT), GetFocus());
            EXPECT_EQ("クウィブラの設定", WindowText(d));
            EXPECT_EQ((std::vector<std::string>{"alpha", "beta", "---", " *notepad"}), ListLines(d));
            EXPECT_EQ(-1, Selection(d));
            EXPECT_EQ(1u, s.ItemHotkeyCount()) << "a record for the one line with a hotkey";
            ASSERT_NE(nullptr, s.LineHotkey(1));
            EXPECT_EQ('K', s.LineHotkey(1)->virtualKey);
            EXPECT_EQ(MOD_CONTROL | MOD_SHIFT, s.LineHotkey(1)->modifiers);
            EXPECT_EQ(0, s.LineHotkey(1)->id);
            EXPECT_EQ(nullptr, s.LineHotkey(0));

            EXPECT_EQ(MAKEWORD('M', HOTKEYF_CONTROL | HOTKEYF_ALT),
                      SendDlgItemMessageA(d, IDC_MAIN_MENU_HOTKEY, HKM_GETHOTKEY, 0, 0));
            EXPECT_EQ(MAKEWORD('H', HOTKEYF_SHIFT),
                      SendDlgItemMessageA(d, IDC_HISTORY_MENU_HOTKEY, HKM_GETHOTKEY, 0, 0));
            EXPECT_EQ(MAKEWORD(VK_F2, HOTKEYF_ALT),
                      SendDlgItemMessageA(d, IDC_PHRASE_MENU_HOTKEY, HKM_GETHOTKEY, 0, 0));
            EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, IDC_TILDE_CHECK));
            EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(d, IDC_WAIT_RELEASE_CHECK));
            EXPECT_EQ("37", WindowText(Item(d, IDC_HISTORY_LIMIT_EDIT)));

            EXPECT_EQ((std::vector<std::string>{"単一行で追加", "表示と内容別", "複数行で追加"}),
                      ComboTexts(d, IDC_INPUT_MODE_COMBO));
            EXPECT_EQ((std::vector<std::string>{"入力する文字", "実行する文字", "項目を区切る", "項目を改行",
                                                "新メニュー"}),
                      ComboTexts(d, IDC_ITEM_KIND_COMBO));
            EXPECT_EQ(0, ComboSelection(d, IDC_INPUT_MODE_COMBO));
            EXPECT_EQ(0, ComboSelection(d, IDC_ITEM_KIND_COMBO));
            for (int id : {IDC_DISPLAY_LABEL, IDC_DISPLAY_EDIT, IDC_ITEM_KIND_COMBO, IDC_CONTENT_EDIT})
                EXPECT_FALSE(Visible(d, id)) << id;
            for (int id : {IDC_ADD_BUTTON, IDC_DELETE_BUTTON, IDC_CHANGE_BUTTON, IDC_MOVE_UP_BUTTON,
                           IDC_MOVE_DOWN_BUTTON, IDC_ITEM_HOTKEY})
                EXPECT_FALSE(Enabled(d, id)) << id;
            for (int id : {IDOK, IDCANCEL, IDC_UPDATE_BUTTON, IDC_INSERT_FILE_BUTTON, IDC_ITEM_LIST})
                EXPECT_TRUE(Enabled(d, id)) << id;
            for (int id : {IDC_MOVE_UP_BUTTON, IDC_MOVE_DOWN_BUTTON, IDC_INSERT_FILE_BUTTON})
                EXPECT_NE(nullptr, ButtonIcon(d, id)) << id;
            EXPECT_NE(ButtonIcon(d, IDC_MOVE_UP_BUTTON), ButtonIcon(d, IDC_MOVE_DOWN_BUTTON));

            for (UINT command : {SC_RESTORE, SC_MAXIMIZE, SC_SIZE})
                EXPECT_FALSE(HasSystemCommand(d, command)) << command;
            for (UINT command : {SC_MOVE, SC_CLOSE}) EXPECT_TRUE(HasSystemCommand(d, command)) << command;
            EXPECT_TRUE(GetWindowLongPtrA(d, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
            EXPECT_TRUE(s.IsBound());
        }});
    EXPECT_EQ(0, result);
    EXPECT_EQ((std::vector<std::string>{"OnDialogInit", "OnDialogCancel"}), owner->notices);
    EXPECT_TRUE(owner->applied.empty()) << "Cancel takes nothing over";
    ASSERT_FALSE(owner->hotkeyRequests.empty());
    EXPECT_EQ(0, owner->hotkeyRequests.front()) << "activation suspends the global hotkeys";
}

TEST_F(DialogOpening, CreatesTheSpinControlForTheHistorySize) {
    SettingsDialog dialog;
    owner->Run(dialog,
               {
                   [&](SettingsDialog&, HWND d) {
                       const HWND spin = Item(d, IDC_HISTORY_LIMIT_SPIN);
                       ASSERT_NE(nullptr, spin);
                       char className[32] = "";
                       GetClassNameA(spin, className, sizeof className);
                       EXPECT_STREQ(UPDOWN_CLASSA, className);
                       EXPECT_EQ(Item(d, IDC_HISTORY_LIMIT_EDIT),
                                 reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)));
                       int low = -1, high = -1;
                       SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                                    reinterpret_cast<LPARAM>(&high));
                       EXPECT_EQ(0, low);
                       EXPECT_EQ(120, high);
                       const LONG_PTR style = GetWindowLongPtrA(spin, GWL_STYLE);
                       for (LONG_PTR bit : {UDS_WRAP, UDS_SETBUDDYINT, UDS_ALIGNRIGHT, UDS_ARROWKEYS})
                           EXPECT_TRUE(style & bit) << bit;
                       SetDlgItemTextA(d, IDC_HISTORY_LIMIT_EDIT, "120");
                       SendMessageA(spin, UDM_SETPOS32, 0, 120);
                       SetFocus(Item(d, IDC_HISTORY_LIMIT_EDIT));
                       PostKey(Item(d, IDC_HISTORY_LIMIT_EDIT), VK_UP);
                   },
                   [&](SettingsDialog&, HWND d) {
                       EXPECT_EQ("0", WindowText(Item(d, IDC_HISTORY_LIMIT_EDIT))) << "120 steps up to 0";
                       PostKey(Item(d, IDC_HISTORY_LIMIT_EDIT), VK_DOWN);
                   },
                   [&](SettingsDialog&, HWND d) {
                       EXPECT_EQ("120", WindowText(Item(d, IDC_HISTORY_LIMIT_EDIT))) << "0 steps down to 120";
                   },
               });
}

TEST_F(DialogOpening, OkHandsTheHistorySizeOverAsTyped) {
    const struct {
        const char* typed;
        int expected;
    } cases[] = {{"500", 500}, {"", 0}, {"99999999999999", INT_MAX}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        owner->applied.clear();
        SettingsDialog dialog;
        const int result = owner->Run(dialog, {[&](SettingsDialog&, HWND d) {
                                          SetDlgItemTextA(d, IDC_HISTORY_LIMIT_EDIT, c.typed);
                                          PostMessageA(Item(d, IDOK), BM_CLICK, 0, 0);
                                      }});
        EXPECT_EQ(1, result);
        ASSERT_EQ(1u, owner->applied.size());
        EXPECT_EQ(c.expected, owner->applied[0].historyLimit);
    }
}

TEST_F(DialogOpening, OkAppliesEverythingAndReleasesTheButtonIcons) {
    SettingsDialog dialog;
    std::vector<HICON> icons;
    const int result =
        owner->Run(dialog, {[&](SettingsDialog&, HWND d) {
                       for (int id : {IDC_MOVE_UP_BUTTON, IDC_MOVE_DOWN_BUTTON, IDC_INSERT_FILE_BUTTON})
                           icons.push_back(ButtonIcon(d, id));
                       CheckDlgButton(d, IDC_WAIT_RELEASE_CHECK, BST_CHECKED);
                       PostMessageA(Item(d, IDOK), BM_CLICK, 0, 0);
                   }});
    EXPECT_EQ(1, result);
    EXPECT_EQ((std::vector<std::string>{"OnDialogInit", "OnDialogOk"}), owner->notices);
    ASSERT_EQ(1u, owner->applied.size());
    const AppliedSettings& applied = owner->applied[0];
    EXPECT_EQ((std::vector<std::string>{"alpha", "beta", "---", " *notepad"}), applied.lines)
        << "the owner reads the list before the clean-up empties it";
    EXPECT_EQ(std::make_optional(std::make_pair(int{'K'}, MOD_CONTROL | MOD_SHIFT)), applied.hotkeys[1]);
    EXPECT_EQ(MAKEWORD('M', HOTKEYF_CONTROL | HOTKEYF_ALT), applied.mainMenu);
    EXPECT_TRUE(applied.tilde);
    EXPECT_TRUE(applied.wait);
    EXPECT_EQ(37, applied.historyLimit);
    for (HICON icon : icons) {
        ICONINFO info{};
        EXPECT_FALSE(GetIconInfo(icon, &info)) << "destroyed by the clean-up";
    }
}

TEST_F(DialogOpening, UpdateAppliesWithTheDialogStillOpen) {
    SettingsDialog dialog;
    const int result = owner->Run(
        dialog,
        {
            [&](SettingsDialog&, HWND d) { PostMessageA(Item(d, IDC_UPDATE_BUTTON), BM_CLICK, 0, 0); },
            [&](SettingsDialog& s, HWND d) {
                EXPECT_TRUE(s.IsBound());
                ASSERT_EQ(1u, owner->applied.size());
                EXPECT_EQ(ResourceString(IDS_STATUS_SAVING), owner->statusWhileApplying);
                EXPECT_EQ(ResourceString(IDS_STATUS_SAVED), Status(d));
                EXPECT_EQ((std::vector<std::string>{"alpha", "beta", "---", " *notepad"}), ListLines(d));
                EXPECT_EQ(1u, s.ItemHotkeyCount());
            },
        });
    EXPECT_EQ(0, result);
    EXPECT_EQ((std::vector<std::string>{"OnDialogInit", "OnDialogCancel"}), owner->notices);
}

TEST_F(DialogOpening, ActivationSuspendsAndDeactivationResumesTheHotkeys) {
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, other);
    SettingsDialog dialog;
    owner->Run(
        dialog,
        {
            [&](SettingsDialog&, HWND) {
                owner->hotkeyRequests.clear();
                SetForegroundWindow(other);
            },
            [&](SettingsDialog&, HWND d) {
                EXPECT_EQ((std::vector<LPARAM>{1}), owner->hotkeyRequests) << "deactivated: register again";
                SetForegroundWindow(d);
            },
            [&](SettingsDialog&, HWND) {
                EXPECT_EQ((std::vector<LPARAM>{1, 0}), owner->hotkeyRequests) << "activated: unregister";
            },
        });
    DestroyWindow(other);
}

}  // namespace
