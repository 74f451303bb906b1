// The three input modes: layouts, line-break conversion, and composing a
// line from the separate fields and taking it apart again.
#include "DialogHarness.h"

#include <commctrl.h>

namespace {

using Lines = std::vector<std::string>;

class InputModes : public SettingsDialogTest {
  protected:
    int Run(std::vector<Step> steps) { return owner->Run(dialog, std::move(steps)); }
    SettingsDialog dialog;
};

bool ReadOnly(HWND dialog, int id) {
    return (GetWindowLongPtrA(Item(dialog, id), GWL_STYLE) & ES_READONLY) != 0;
}

std::string Display(HWND dialog) { return WindowText(Item(dialog, IDC_DISPLAY_EDIT)); }

std::string Content(HWND dialog) { return WindowText(Item(dialog, IDC_CONTENT_EDIT)); }

TEST_F(InputModes, EachModeShowsItsFieldsAndLayout) {
    Run({[](SettingsDialog& s, HWND d) {
        const int listTop = DialogUnits(d, 7, 105, 241, 68).top;
        const int compactTop = DialogUnits(d, 66, 66, 182, 14).top;
        const int singleBottom = DialogUnits(d, 66, 47, 182, 14).bottom;
        const int multiBottom = DialogUnits(d, 66, 86, 182, 14).bottom;
        const struct {
            int mode;
            bool fields;
            bool multi;
            int listTop;
            int lineBottom;
        } rows[] = {
            {1, true, false, listTop, singleBottom},
            {2, false, true, listTop, multiBottom},
            {0, false, false, compactTop, singleBottom},
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(row.mode);
            ChooseInCombo(d, IDC_INPUT_MODE_COMBO, row.mode);
            for (int id : {IDC_DISPLAY_LABEL, IDC_DISPLAY_EDIT, IDC_ITEM_KIND_COMBO, IDC_CONTENT_EDIT})
                EXPECT_EQ(row.fields, Visible(d, id)) << id;
            EXPECT_EQ(row.multi, s.IsMultiLine());
            const LONG_PTR style = GetWindowLongPtrA(Item(d, IDC_LINE_EDIT), GWL_STYLE);
            EXPECT_EQ(row.multi, (style & ES_WANTRETURN) != 0);
            EXPECT_EQ(row.multi, (style & WS_VSCROLL) != 0);
            EXPECT_EQ(row.multi, (style & WS_HSCROLL) != 0);
            EXPECT_TRUE(style & ES_MULTILINE);
            const RECT line = ClientRectIn(d, IDC_LINE_EDIT);
            EXPECT_EQ(row.lineBottom, line.bottom);
            EXPECT_EQ(DialogUnits(d, 66, 47, 182, 14).top, line.top);
            EXPECT_EQ(DialogUnits(d, 66, 47, 182, 14).left, line.left);
            EXPECT_EQ(DialogUnits(d, 66, 47, 182, 14).right, line.right);
            const RECT list = ClientRectIn(d, IDC_ITEM_LIST);
            EXPECT_EQ(row.listTop, list.top);
            EXPECT_EQ(DialogUnits(d, 7, 105, 241, 68).bottom, list.bottom);
        }
    }});
}

TEST_F(InputModes, MultiLineModeTurnsEscapesIntoBreaksAndBack) {
    Run({
        [](SettingsDialog& s, HWND d) {
            TypeOver(Item(d, IDC_LINE_EDIT), "一行目\\n二行目\\nソ\\n");
            ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 2);
            EXPECT_EQ("一行目\r\n二行目\r\nソ\r\n", LineText(d));
            EXPECT_EQ("一行目\\n二行目\\nソ\\n", s.GetLine()) << "the line is still the escaped one";
            ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 0);
            EXPECT_EQ("一行目\\n二行目\\nソ\\n", LineText(d));
        },
        [](SettingsDialog&, HWND d) {
            // ソ and 表 end in the byte of a backslash: "ソn" is no escape.
            TypeOver(Item(d, IDC_LINE_EDIT), "ソn表n");
            ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 2);
            EXPECT_EQ("ソn表n", LineText(d));
        },
    });
}

TEST_F(InputModes, CommandAndSectionLinesKeepTheirBackslashN) {
    Run({[](SettingsDialog&, HWND d) {
        for (const char* line : {" *C:\\new\\file.txt", " -menu\\name"}) {
            SCOPED_TRACE(line);
            ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 0);
            TypeOver(Item(d, IDC_LINE_EDIT), line);
            ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 2);
            EXPECT_EQ(line, LineText(d));
            ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 0);
            EXPECT_EQ(line, LineText(d));
        }
    }});
}

TEST_F(InputModes, EnterMakesALineBreakInMultiLineModeAndAddAddsTheEscapedLine) {
    Run({
        [](SettingsDialog&, HWND d) {
            ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 2);
            TypeOver(Item(d, IDC_LINE_EDIT), "x");
            PostKey(Item(d, IDC_LINE_EDIT), VK_RETURN);
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_TRUE(s.IsBound()) << "Enter does not close in multi-line mode";
            TypeInto(Item(d, IDC_LINE_EDIT), "y");
            EXPECT_EQ("x\r\ny", LineText(d));
            EXPECT_EQ(ResourceString(IDS_HELP_MULTI_LINE_HOLDING), Status(d));
            PostMessageA(Item(d, IDC_ADD_BUTTON), BM_CLICK, 0, 0);
        },
        [](SettingsDialog&, HWND d) { EXPECT_EQ((Lines{"x\\ny"}), ListLines(d)); },
    });
}

TEST_F(InputModes, ABreakPastedInSingleLineModeCannotSplitTheLine) {
    Run({
        [](SettingsDialog&, HWND d) {
            TypeOver(Item(d, IDC_LINE_EDIT), "a\r\nb");
            PostMessageA(Item(d, IDC_ADD_BUTTON), BM_CLICK, 0, 0);
        },
        [](SettingsDialog&, HWND d) { EXPECT_EQ((Lines{"a\\nb"}), ListLines(d)); },
    });
}

TEST_F(InputModes, ComposesEveryKindFromTheFields) {
    Run({[](SettingsDialog&, HWND d) {
        ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 1);
        ChooseInCombo(d, IDC_ITEM_KIND_COMBO, 1);
        TypeOver(Item(d, IDC_DISPLAY_EDIT), "メモ帳");
        TypeOver(Item(d, IDC_CONTENT_EDIT), "C:\\Windows\\notepad.exe");
        EXPECT_EQ(" *メモ帳 : C:\\Windows\\notepad.exe", LineText(d));
        EXPECT_TRUE(Enabled(d, IDC_ADD_BUTTON));
        TypeOver(Item(d, IDC_DISPLAY_EDIT), "C:\\Windows\\notepad.exe");
        EXPECT_EQ(" *C:\\Windows\\notepad.exe", LineText(d)) << "equal texts: the content alone";

        ChooseInCombo(d, IDC_ITEM_KIND_COMBO, 0);
        TypeOver(Item(d, IDC_DISPLAY_EDIT), "パスワード");
        TypeOver(Item(d, IDC_CONTENT_EDIT), "57213");
        EXPECT_EQ(" +パスワード : 57213", LineText(d));
        TypeOver(Item(d, IDC_DISPLAY_EDIT), "57213");
        EXPECT_EQ("57213", LineText(d)) << "equal texts: a plain text item";
        TypeOver(Item(d, IDC_DISPLAY_EDIT), "---");
        TypeOver(Item(d, IDC_CONTENT_EDIT), "---");
        EXPECT_EQ(" +--- : ---", LineText(d)) << "a text item that inserts three minus signs";
        EXPECT_EQ(0, ComboSelection(d, IDC_ITEM_KIND_COMBO));

        ChooseInCombo(d, IDC_ITEM_KIND_COMBO, 3);
        EXPECT_EQ("-->", LineText(d));
        ChooseInCombo(d, IDC_ITEM_KIND_COMBO, 4);
        EXPECT_EQ(" --->", LineText(d)) << "a section named after the display text";
        EXPECT_TRUE(ReadOnly(d, IDC_CONTENT_EDIT));
        TypeOver(Item(d, IDC_DISPLAY_EDIT), "新メニュー");
        EXPECT_EQ(" -新メニュー", LineText(d));
        ChooseInCombo(d, IDC_ITEM_KIND_COMBO, 1);
        EXPECT_FALSE(ReadOnly(d, IDC_CONTENT_EDIT));
    }});
}

TEST_F(InputModes, TypingIntoASeparatorsFieldsMakesItATextItemAgain) {
    Run({[](SettingsDialog&, HWND d) {
        ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 1);
        TypeOver(Item(d, IDC_DISPLAY_EDIT), "abc");
        TypeOver(Item(d, IDC_CONTENT_EDIT), "xyz");
        ChooseInCombo(d, IDC_ITEM_KIND_COMBO, 2);
        EXPECT_EQ("---", LineText(d)) << "whatever the fields held";
        EXPECT_EQ("---", Display(d));
        EXPECT_EQ("---", Content(d));
        EXPECT_EQ(2, ComboSelection(d, IDC_ITEM_KIND_COMBO));
        SetFocus(Item(d, IDC_DISPLAY_EDIT));
        SendDlgItemMessageA(d, IDC_DISPLAY_EDIT, EM_SETSEL, 3, 3);
        TypeInto(Item(d, IDC_DISPLAY_EDIT), "x");
        EXPECT_EQ(0, ComboSelection(d, IDC_ITEM_KIND_COMBO));
        EXPECT_EQ(" +---x : ---", LineText(d));
    }});
}

TEST_F(InputModes, SelectingALineTakesItApart) {
    owner->fill.lines = {{" -メニュー"}, {" + パスワード : 57213"}, {"---"}, {"-->"}, {" *notepad"},
                         {"plain"}};
    const struct {
        int index;
        int kind;
        const char* display;
        const char* content;
        bool readOnly;
    } rows[] = {
        {1, 0, " パスワード", "57213", false},
        {0, 4, "メニュー", "57213", true},  // the content field keeps its text
        {2, 2, "---", "---", false},
        {3, 3, "-->", "-->", false},
        {4, 1, "notepad", "notepad", false},
        {5, 0, "plain", "plain", false},
    };
    std::vector<Step> steps{[](SettingsDialog&, HWND d) { ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 1); }};
    for (const auto& row : rows) {
        steps.push_back([row](SettingsDialog&, HWND d) {
            SCOPED_TRACE(row.index);
            SelectItem(d, row.index);
            EXPECT_EQ(row.kind, ComboSelection(d, IDC_ITEM_KIND_COMBO));
            EXPECT_EQ(row.display, Display(d));
            EXPECT_EQ(row.content, Content(d));
            EXPECT_EQ(row.readOnly, ReadOnly(d, IDC_CONTENT_EDIT));
        });
    }
    Run(steps);
}

TEST_F(InputModes, TypingInTheLineEditFillsTheFields) {
    Run({[](SettingsDialog&, HWND d) {
        ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 1);
        TypeOver(Item(d, IDC_LINE_EDIT), " *表 : C:\\ソ.txt");
        EXPECT_EQ(1, ComboSelection(d, IDC_ITEM_KIND_COMBO));
        EXPECT_EQ("表", Display(d));
        EXPECT_EQ("C:\\ソ.txt", Content(d));
    }});
}

}  // namespace
