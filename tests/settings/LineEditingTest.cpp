// Editing lines: the Enter rule, Add, Delete, Change, keys and the holding state.
#include "DialogHarness.h"

#include <commctrl.h>

namespace {

using Lines = std::vector<std::string>;

class LineEditing : public SettingsDialogTest {
  protected:
    void SetUp() override {
        SettingsDialogTest::SetUp();
        owner->fill.lines = {{"alpha"}, {"beta", 'K', MOD_CONTROL}, {"gamma"}};
    }
    int Run(std::vector<Step> steps) { return owner->Run(dialog, std::move(steps)); }
    SettingsDialog dialog;
};

void Click(HWND dialog, int id) { PostMessageA(Item(dialog, id), BM_CLICK, 0, 0); }

WORD ItemHotkeyValue(HWND dialog) {
    return static_cast<WORD>(SendDlgItemMessageA(dialog, IDC_ITEM_HOTKEY, HKM_GETHOTKEY, 0, 0));
}

TEST_F(LineEditing, EnterInTheDisplayEditMovesToTheContentEdit) {
    const int result = Run({
        [](SettingsDialog&, HWND d) {
            ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 1);
            SetFocus(Item(d, IDC_DISPLAY_EDIT));
            PostKey(Item(d, IDC_DISPLAY_EDIT), VK_RETURN);
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_TRUE(s.IsBound()) << "an empty line does not close from the display edit";
            EXPECT_EQ(Item(d, IDC_CONTENT_EDIT), GetFocus());
            EXPECT_EQ((Lines{"alpha", "beta", "gamma"}), ListLines(d));
        },
    });
    EXPECT_EQ(0, result);
}

TEST_F(LineEditing, EnterWithAnEmptyLineClosesWithOk) {
    const int result = Run({[](SettingsDialog&, HWND d) {
        SetFocus(Item(d, IDC_LINE_EDIT));
        PostKey(Item(d, IDC_LINE_EDIT), VK_RETURN);
    }});
    EXPECT_EQ(1, result);
    EXPECT_EQ(1u, owner->applied.size());
}

TEST_F(LineEditing, EnterOnTheUnchangedSelectedItemCloses) {
    const int result = Run({
        [](SettingsDialog&, HWND d) { SelectItem(d, 2); },
        [](SettingsDialog& s, HWND d) {
            EXPECT_EQ("gamma", LineText(d));
            EXPECT_FALSE(s.IsHoldingText());
            SetFocus(Item(d, IDC_LINE_EDIT));
            PostKey(Item(d, IDC_LINE_EDIT), VK_RETURN);
        },
    });
    EXPECT_EQ(1, result);
    ASSERT_EQ(1u, owner->applied.size());
    EXPECT_EQ((Lines{"alpha", "beta", "gamma"}), owner->applied[0].lines);
}

TEST_F(LineEditing, EnterOnASeparatorAddsAnotherBeforeTheSelectedItem) {
    owner->fill.lines = {{"alpha"}, {"---"}, {"beta"}};
    const int result = Run({
        [](SettingsDialog&, HWND d) { SelectItem(d, 1); },
        [](SettingsDialog& s, HWND d) {
            EXPECT_FALSE(s.IsHoldingText());
            SetFocus(Item(d, IDC_LINE_EDIT));
            PostKey(Item(d, IDC_LINE_EDIT), VK_RETURN);
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_TRUE(s.IsBound());
            EXPECT_EQ((Lines{"alpha", "---", "---", "beta"}), ListLines(d));
            EXPECT_EQ(Item(d, IDC_LINE_EDIT), GetFocus()) << "Enter gives the focus back";
            EXPECT_EQ("", LineText(d));
            // Enter was used up: clicking OK with text held closes the dialog.
            TypeOver(Item(d, IDC_LINE_EDIT), "typed");
            Click(d, IDOK);
        },
    });
    EXPECT_EQ(1, result);
    ASSERT_EQ(1u, owner->applied.size());
    EXPECT_EQ((Lines{"alpha", "---", "---", "beta"}), owner->applied[0].lines);
}

TEST_F(LineEditing, EnterAddsHeldTextBeforeTheSelectedItem) {
    const int result = Run({
        [](SettingsDialog&, HWND d) {
            SelectItem(d, 1);
            TypeOver(Item(d, IDC_LINE_EDIT), "表示");
            PostKey(Item(d, IDC_LINE_EDIT), VK_RETURN);
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_TRUE(s.IsBound());
            EXPECT_EQ((Lines{"alpha", "表示", "beta", "gamma"}), ListLines(d));
            EXPECT_EQ(1, Selection(d));
            EXPECT_EQ("", LineText(d));
            EXPECT_FALSE(Enabled(d, IDC_ADD_BUTTON));
            EXPECT_EQ(Item(d, IDC_LINE_EDIT), GetFocus());
        },
    });
    EXPECT_EQ(0, result);
}

TEST_F(LineEditing, EnterInTheContentEditAddsAndGoesBackToTheDisplayEdit) {
    Run({
        [](SettingsDialog&, HWND d) {
            ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 1);
            TypeInto(Item(d, IDC_DISPLAY_EDIT), "ソ");
            TypeInto(Item(d, IDC_CONTENT_EDIT), "ソ");
            EXPECT_EQ("ソ", LineText(d));
            PostKey(Item(d, IDC_CONTENT_EDIT), VK_RETURN);
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_TRUE(s.IsBound());
            EXPECT_EQ((Lines{"alpha", "beta", "gamma", "ソ"}), ListLines(d));
            EXPECT_EQ(Item(d, IDC_DISPLAY_EDIT), GetFocus());
            EXPECT_EQ("", WindowText(Item(d, IDC_DISPLAY_EDIT)));
            EXPECT_EQ("", WindowText(Item(d, IDC_CONTENT_EDIT)));
        },
    });
}

TEST_F(LineEditing, AddWithoutSelectionAppendsAndKeepsNoSelection) {
    Run({
        [](SettingsDialog&, HWND d) {
            TypeOver(Item(d, IDC_LINE_EDIT), "delta");
            EXPECT_TRUE(Enabled(d, IDC_ADD_BUTTON));
            Click(d, IDC_ADD_BUTTON);
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_EQ((Lines{"alpha", "beta", "gamma", "delta"}), ListLines(d));
            EXPECT_EQ(-1, Selection(d));
            EXPECT_EQ(nullptr, s.LineHotkey(3));
            EXPECT_EQ("", LineText(d));
            EXPECT_FALSE(Enabled(d, IDC_ADD_BUTTON));
            EXPECT_FALSE(Enabled(d, IDC_CHANGE_BUTTON));
        },
        [](SettingsDialog&, HWND d) {
            Click(d, IDC_ADD_BUTTON);  // nothing to add
            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_ADD_BUTTON, BN_CLICKED),
                         reinterpret_cast<LPARAM>(Item(d, IDC_ADD_BUTTON)));
            EXPECT_EQ(4u, ListLines(d).size());
        },
    });
}

TEST_F(LineEditing, AdditionsStackUpwardBeforeTheSelectedItem) {
    Run({
        [](SettingsDialog&, HWND d) {
            SelectItem(d, 2);
            TypeOver(Item(d, IDC_LINE_EDIT), "A");
            Click(d, IDC_ADD_BUTTON);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ((Lines{"alpha", "beta", "A", "gamma"}), ListLines(d));
            EXPECT_EQ(2, Selection(d));
            EXPECT_EQ("", LineText(d)) << "the new item is not copied back";
            TypeOver(Item(d, IDC_LINE_EDIT), "B");
            Click(d, IDC_ADD_BUTTON);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ((Lines{"alpha", "beta", "B", "A", "gamma"}), ListLines(d));
            EXPECT_EQ(2, Selection(d));
        },
    });
}

TEST_F(LineEditing, DeleteFreesTheRecordAndSelectsTheNextItem) {
    Run({
        [](SettingsDialog&, HWND d) {
            SelectItem(d, 1);
            Click(d, IDC_DELETE_BUTTON);
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_EQ((Lines{"alpha", "gamma"}), ListLines(d));
            EXPECT_EQ(0u, s.ItemHotkeyCount()) << "beta's record went with it";
            EXPECT_EQ(1, Selection(d));
            EXPECT_EQ("gamma", LineText(d));
            Click(d, IDC_DELETE_BUTTON);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ((Lines{"alpha"}), ListLines(d));
            EXPECT_EQ(0, Selection(d)) << "the new last item";
            EXPECT_EQ("alpha", LineText(d));
            EXPECT_FALSE(Enabled(d, IDC_MOVE_UP_BUTTON));
            EXPECT_FALSE(Enabled(d, IDC_MOVE_DOWN_BUTTON));
            Click(d, IDC_DELETE_BUTTON);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_TRUE(ListLines(d).empty());
            EXPECT_EQ("", LineText(d));
            for (int id : {IDC_DELETE_BUTTON, IDC_CHANGE_BUTTON, IDC_MOVE_UP_BUTTON, IDC_MOVE_DOWN_BUTTON,
                           IDC_ITEM_HOTKEY})
                EXPECT_FALSE(Enabled(d, id)) << id;
        },
    });
}

TEST_F(LineEditing, DelInTheListKeepsHeldText) {
    Run({
        [](SettingsDialog&, HWND d) {
            SelectItem(d, 0);
            TypeOver(Item(d, IDC_LINE_EDIT), "keep");
            SelectItem(d, 2);
            EXPECT_EQ("keep", LineText(d)) << "held text stays while another item is chosen";
            PostKey(Item(d, IDC_ITEM_LIST), VK_DELETE);
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_EQ((Lines{"alpha", "beta"}), ListLines(d));
            EXPECT_EQ("keep", LineText(d));
            EXPECT_TRUE(s.IsHoldingText());
            EXPECT_EQ(1, Selection(d));
        },
    });
}

TEST_F(LineEditing, DelOutsideTheListDeletesNothing) {
    Run({
        [](SettingsDialog&, HWND d) {
            SelectItem(d, 0);
            SetFocus(Item(d, IDC_LINE_EDIT));
            PostKey(Item(d, IDC_LINE_EDIT), VK_DELETE);
        },
        [](SettingsDialog&, HWND d) { EXPECT_EQ(3u, ListLines(d).size()); },
    });
}

TEST_F(LineEditing, ChangeReplacesTheLineAndKeepsItsHotkey) {
    Run({
        [](SettingsDialog&, HWND d) {
            SelectItem(d, 1);
            TypeOver(Item(d, IDC_LINE_EDIT), "ベータ");
            Click(d, IDC_CHANGE_BUTTON);
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_EQ((Lines{"alpha", "ベータ", "gamma"}), ListLines(d));
            EXPECT_EQ(1, Selection(d));
            ASSERT_NE(nullptr, s.LineHotkey(1));
            EXPECT_EQ('K', s.LineHotkey(1)->virtualKey);
            EXPECT_EQ(MOD_CONTROL, s.LineHotkey(1)->modifiers);
            EXPECT_EQ(1u, s.ItemHotkeyCount());
            EXPECT_EQ("", LineText(d));
            EXPECT_TRUE(Enabled(d, IDC_ITEM_HOTKEY));
            EXPECT_EQ(MAKEWORD('K', HOTKEYF_CONTROL), ItemHotkeyValue(d));
        },
    });
}

TEST_F(LineEditing, ChangeIntoASeparatorOrColumnBreakDropsTheHotkey) {
    for (const char* mark : {"---", "-->"}) {
        SCOPED_TRACE(mark);
        SettingsDialog fresh;
        owner->Run(fresh, {
                              [](SettingsDialog&, HWND d) {
                                  SelectItem(d, 1);
                                  EXPECT_EQ(MAKEWORD('K', HOTKEYF_CONTROL), ItemHotkeyValue(d));
                              },
                              [mark](SettingsDialog&, HWND d) {
                                  TypeOver(Item(d, IDC_LINE_EDIT), mark);
                                  Click(d, IDC_CHANGE_BUTTON);
                              },
                              [mark](SettingsDialog& s, HWND d) {
                                  EXPECT_EQ((Lines{"alpha", mark, "gamma"}), ListLines(d));
                                  EXPECT_EQ(nullptr, s.LineHotkey(1));
                                  EXPECT_EQ(0u, s.ItemHotkeyCount());
                                  EXPECT_FALSE(Enabled(d, IDC_ITEM_HOTKEY));
                                  EXPECT_EQ(0, ItemHotkeyValue(d));
                              },
                          });
    }
}

TEST_F(LineEditing, ChangeWithAnEmptyLineLeavesTheListAlone) {
    Run({
        [](SettingsDialog&, HWND d) {
            SelectItem(d, 1);
            TypeOver(Item(d, IDC_LINE_EDIT), "");
            EXPECT_FALSE(Enabled(d, IDC_CHANGE_BUTTON));
            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_CHANGE_BUTTON, BN_CLICKED),
                         reinterpret_cast<LPARAM>(Item(d, IDC_CHANGE_BUTTON)));
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_EQ((Lines{"alpha", "beta", "gamma"}), ListLines(d)) << "gamma was not taken instead";
            ASSERT_NE(nullptr, s.LineHotkey(1));
            EXPECT_EQ(nullptr, s.LineHotkey(2));
        },
    });
}

TEST_F(LineEditing, InsAddsUnlessAHotkeyControlHasTheFocus) {
    Run({
        [](SettingsDialog&, HWND d) {
            TypeOver(Item(d, IDC_LINE_EDIT), "ins");
            PostKey(Item(d, IDC_LINE_EDIT), VK_INSERT);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ((Lines{"alpha", "beta", "gamma", "ins"}), ListLines(d));
            TypeOver(Item(d, IDC_LINE_EDIT), "not added");
            SetFocus(Item(d, IDC_MAIN_MENU_HOTKEY));
            PostKey(Item(d, IDC_MAIN_MENU_HOTKEY), VK_INSERT);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ(4u, ListLines(d).size());
            EXPECT_EQ(VK_INSERT, LOBYTE(SendDlgItemMessageA(d, IDC_MAIN_MENU_HOTKEY, HKM_GETHOTKEY, 0, 0)));
        },
    });
}

TEST_F(LineEditing, UpAndDownInTheLineEditMoveTheSelectionAroundTheEnds) {
    Run({
        [](SettingsDialog&, HWND d) {
            SetFocus(Item(d, IDC_LINE_EDIT));
            PostKey(Item(d, IDC_LINE_EDIT), VK_UP);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ(2, Selection(d)) << "Up without a selection takes the last item";
            EXPECT_EQ("gamma", LineText(d));
            EXPECT_TRUE(Enabled(d, IDC_MOVE_UP_BUTTON));
            EXPECT_FALSE(Enabled(d, IDC_MOVE_DOWN_BUTTON));
            PostKey(Item(d, IDC_LINE_EDIT), VK_DOWN);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ(0, Selection(d)) << "Down on the last item takes the first";
            EXPECT_EQ("alpha", LineText(d));
            TypeOver(Item(d, IDC_LINE_EDIT), "held");
            PostKey(Item(d, IDC_LINE_EDIT), VK_UP);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ(2, Selection(d)) << "Up on the first item takes the last";
            EXPECT_EQ("held", LineText(d)) << "held text stays";
            EXPECT_EQ(Item(d, IDC_LINE_EDIT), GetFocus());
        },
    });
}

TEST_F(LineEditing, ArrowsInTheSeparateFieldsSelectAndFillThem) {
    owner->fill.lines = {{" *メモ帳 : notepad.exe"}, {" + 表 : ソ"}};
    Run({
        [](SettingsDialog&, HWND d) {
            ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 1);
            SetFocus(Item(d, IDC_CONTENT_EDIT));
            PostKey(Item(d, IDC_CONTENT_EDIT), VK_DOWN);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ(0, Selection(d));
            EXPECT_EQ(Item(d, IDC_CONTENT_EDIT), GetFocus());
            EXPECT_EQ(1, ComboSelection(d, IDC_ITEM_KIND_COMBO));
            EXPECT_EQ("メモ帳", WindowText(Item(d, IDC_DISPLAY_EDIT)));
            EXPECT_EQ("notepad.exe", WindowText(Item(d, IDC_CONTENT_EDIT)));
            DWORD start = 1, end = 0;
            SendDlgItemMessageA(d, IDC_CONTENT_EDIT, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(0u, start);
            EXPECT_EQ(11u, end) << "the whole text is selected";
            PostKey(Item(d, IDC_CONTENT_EDIT), VK_DOWN);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ(1, Selection(d));
            EXPECT_EQ(0, ComboSelection(d, IDC_ITEM_KIND_COMBO));
            EXPECT_EQ(" 表", WindowText(Item(d, IDC_DISPLAY_EDIT)));
            EXPECT_EQ("ソ", WindowText(Item(d, IDC_CONTENT_EDIT)));
        },
    });
}

}  // namespace
