// The per-item hotkey control, the menu hotkeys and the Shift+0 option.
#include "DialogHarness.h"

#include <commctrl.h>

namespace {

class HotkeyControls : public SettingsDialogTest {
  protected:
    void SetUp() override {
        SettingsDialogTest::SetUp();
        owner->fill.lines = {{"alpha"}, {"beta", 'B', MOD_ALT}, {"---", 'S', MOD_SHIFT}, {"gamma"}};
    }
    int Run(std::vector<Step> steps) { return owner->Run(dialog, std::move(steps)); }
    SettingsDialog dialog;
};

WORD ItemHotkeyValue(HWND dialog) {
    return static_cast<WORD>(SendDlgItemMessageA(dialog, IDC_ITEM_HOTKEY, HKM_GETHOTKEY, 0, 0));
}

// What the hotkey control reports after a key was typed into it.
void ReportHotkeyChange(HWND dialog) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_HOTKEY, EN_CHANGE),
                 reinterpret_cast<LPARAM>(Item(dialog, IDC_ITEM_HOTKEY)));
}

// Whether Shift+0 is free for another registration right now.
bool ShiftZeroIsFree() {
    constexpr int probeId = 0xB123;
    const bool free = RegisterHotKey(nullptr, probeId, MOD_SHIFT, '0') != FALSE;
    if (free) UnregisterHotKey(nullptr, probeId);
    return free;
}

TEST_F(HotkeyControls, TypingAKeyCreatesThenChangesThenFreesTheRecord) {
    const HotkeyBinding* created = nullptr;
    Run({
        [](SettingsDialog&, HWND d) {
            SelectItem(d, 0);
            EXPECT_TRUE(Enabled(d, IDC_ITEM_HOTKEY));
            EXPECT_EQ(0, ItemHotkeyValue(d));
            SetFocus(Item(d, IDC_ITEM_HOTKEY));
        },
        [](SettingsDialog&, HWND d) {
            // The key-ups follow in the next step, after the character the
            // key-down makes, as they do when typed.
            PostKey(Item(d, IDC_ITEM_HOTKEY), VK_CONTROL);
            PostKey(Item(d, IDC_ITEM_HOTKEY), 'Q');
        },
        [&](SettingsDialog& s, HWND d) {
            created = s.LineHotkey(0);
            ASSERT_NE(nullptr, created);
            EXPECT_EQ('Q', created->virtualKey);
            EXPECT_EQ(MOD_CONTROL, created->modifiers);
            EXPECT_EQ(0, created->id);
            EXPECT_EQ(3u, s.ItemHotkeyCount());
            EXPECT_EQ(4u, ListLines(d).size()) << "no key was taken as a command";
            PostKeyUp(Item(d, IDC_ITEM_HOTKEY), 'Q');
            PostKeyUp(Item(d, IDC_ITEM_HOTKEY), VK_CONTROL);
        },
        [&](SettingsDialog& s, HWND d) {
            EXPECT_EQ(MOD_CONTROL, created->modifiers) << "releasing the keys keeps the hotkey";
            EXPECT_EQ(3u, s.ItemHotkeyCount());
            PostKey(Item(d, IDC_ITEM_HOTKEY), VK_F5);
        },
        [&](SettingsDialog& s, HWND d) {
            EXPECT_EQ(created, s.LineHotkey(0)) << "changed in place";
            EXPECT_EQ(VK_F5, created->virtualKey);
            EXPECT_EQ(0, created->modifiers);
            EXPECT_EQ(3u, s.ItemHotkeyCount());
            // Shift alone leaves the control without a key: the record goes.
            PostKey(Item(d, IDC_ITEM_HOTKEY), VK_SHIFT);
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_EQ(0, ItemHotkeyValue(d));
            EXPECT_EQ(nullptr, s.LineHotkey(0));
            EXPECT_EQ(2u, s.ItemHotkeyCount());
            PostKeyUp(Item(d, IDC_ITEM_HOTKEY), VK_SHIFT);
        },
    });
}

TEST_F(HotkeyControls, SelectingAnItemShowsItsHotkeyWithConvertedFlags) {
    Run({[](SettingsDialog&, HWND d) {
        SelectItem(d, 1);
        EXPECT_EQ(MAKEWORD('B', HOTKEYF_ALT), ItemHotkeyValue(d));
        EXPECT_TRUE(Enabled(d, IDC_ITEM_HOTKEY));
        SelectItem(d, 3);
        EXPECT_EQ(0, ItemHotkeyValue(d));
        SelectItem(d, 2);
        EXPECT_FALSE(Enabled(d, IDC_ITEM_HOTKEY)) << "a separator carries no hotkey";
        EXPECT_EQ(MAKEWORD('S', HOTKEYF_SHIFT), ItemHotkeyValue(d)) << "it still shows its record";
    }});
}

TEST_F(HotkeyControls, AnExtendedKeyIsStoredAndShownWithoutTheExtendedFlag) {
    Run({[](SettingsDialog& s, HWND d) {
        SelectItem(d, 3);
        SendDlgItemMessageA(d, IDC_ITEM_HOTKEY, HKM_SETHOTKEY,
                            MAKEWORD(VK_INSERT, HOTKEYF_EXT | HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
        ReportHotkeyChange(d);
        ASSERT_NE(nullptr, s.LineHotkey(3));
        EXPECT_EQ(VK_INSERT, s.LineHotkey(3)->virtualKey);
        EXPECT_EQ(MOD_CONTROL | MOD_ALT, s.LineHotkey(3)->modifiers);
        SelectItem(d, 0);
        SelectItem(d, 3);
        EXPECT_EQ(MAKEWORD(VK_INSERT, HOTKEYF_CONTROL | HOTKEYF_ALT), ItemHotkeyValue(d));
    }});
}

TEST_F(HotkeyControls, WithoutASelectionTheControlIsDisabledAndChangesAreIgnored) {
    Run({[](SettingsDialog& s, HWND d) {
        EXPECT_FALSE(Enabled(d, IDC_ITEM_HOTKEY));
        SendDlgItemMessageA(d, IDC_ITEM_HOTKEY, HKM_SETHOTKEY, MAKEWORD('Z', 0), 0);
        ReportHotkeyChange(d);
        EXPECT_EQ(2u, s.ItemHotkeyCount());
        for (int i = 0; i < 4; ++i) EXPECT_EQ(i == 1 || i == 2, s.LineHotkey(i) != nullptr) << i;
    }});
}

TEST_F(HotkeyControls, InsTypedIntoTheHotkeyControlIsAssignedNotAdded) {
    Run({
        [](SettingsDialog&, HWND d) {
            SelectItem(d, 0);
            SetFocus(Item(d, IDC_ITEM_HOTKEY));
            PostKey(Item(d, IDC_ITEM_HOTKEY), VK_INSERT);
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_EQ(4u, ListLines(d).size());
            ASSERT_NE(nullptr, s.LineHotkey(0));
            EXPECT_EQ(VK_INSERT, s.LineHotkey(0)->virtualKey);
        },
    });
}

TEST_F(HotkeyControls, DeletingOrAddingItemsKeepsRecordsWithTheirItems) {
    Run({
        [](SettingsDialog&, HWND d) {
            SelectItem(d, 1);
            TypeOver(Item(d, IDC_LINE_EDIT), "new");
            PostMessageA(Item(d, IDC_ADD_BUTTON), BM_CLICK, 0, 0);
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_EQ((std::vector<std::string>{"alpha", "new", "beta", "---", "gamma"}), ListLines(d));
            EXPECT_EQ(nullptr, s.LineHotkey(1)) << "a new item has no hotkey";
            ASSERT_NE(nullptr, s.LineHotkey(2));
            EXPECT_EQ('B', s.LineHotkey(2)->virtualKey);
            EXPECT_EQ(0, ItemHotkeyValue(d)) << "the control shows the new item's (none)";
        },
    });
}

TEST_F(HotkeyControls, MenuHotkeysAreReadBackConverted) {
    const int result = Run({[](SettingsDialog&, HWND d) {
        SendDlgItemMessageA(d, IDC_MAIN_MENU_HOTKEY, HKM_SETHOTKEY, MAKEWORD('M', HOTKEYF_CONTROL), 0);
        SendDlgItemMessageA(d, IDC_PHRASE_MENU_HOTKEY, HKM_SETHOTKEY,
                            MAKEWORD('P', HOTKEYF_SHIFT | HOTKEYF_ALT), 0);
        PostMessageA(Item(d, IDOK), BM_CLICK, 0, 0);
    }});
    EXPECT_EQ(1, result);
    ASSERT_EQ(1u, owner->applied.size());
    EXPECT_EQ(MAKEWORD('M', HOTKEYF_CONTROL), owner->applied[0].mainMenu);
    EXPECT_EQ(MAKEWORD('P', HOTKEYF_SHIFT | HOTKEYF_ALT), owner->applied[0].phraseMenu);
    EXPECT_EQ(0, owner->applied[0].historyMenu);
}

TEST_F(HotkeyControls, TheShiftZeroBoxRegistersAtOnceOnTheMainWindow) {
    Run({
        [](SettingsDialog&, HWND d) {
            EXPECT_TRUE(ShiftZeroIsFree());
            PostMessageA(Item(d, IDC_TILDE_CHECK), BM_CLICK, 0, 0);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(d, IDC_TILDE_CHECK));
            EXPECT_FALSE(ShiftZeroIsFree()) << "registered while the dialog is open";
            PostMessageA(Item(d, IDC_TILDE_CHECK), BM_CLICK, 0, 0);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(d, IDC_TILDE_CHECK));
            EXPECT_TRUE(ShiftZeroIsFree());
            PostMessageA(Item(d, IDC_TILDE_CHECK), BM_CLICK, 0, 0);
        },
        [&](SettingsDialog&, HWND) {
            EXPECT_FALSE(UnregisterHotKey(nullptr, HOTKEY_TILDE)) << "not on the thread";
            EXPECT_TRUE(UnregisterHotKey(owner->hwnd(), HOTKEY_TILDE)) << "on the main window, id 102";
        },
    });
}

}  // namespace
