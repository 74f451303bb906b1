#include <climits>
#include <cstring>
#include <string>

#include "CommonWindowProc.h"
#include "FrameworkTestSupport.h"
#include "SmartControl.h"
#include "WindowRegistry.h"

namespace {

class ControlTest : public FrameworkTest {
  protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        ASSERT_TRUE(parent.CreateDefault());
    }
    void TearDown() override {
        parent.Destroy();
        FrameworkTest::TearDown();
    }
    HWND AddChild(const char* className, DWORD style, int id) {
        return CreateWindowA(className, "", WS_CHILD | style, 0, 0, 100, 80, parent.hwnd(),
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance(), nullptr);
    }
    LONG_PTR Procedure(HWND window) { return GetWindowLongPtrA(window, GWLP_WNDPROC); }

    Log log;
    RecordingWindow parent{&log, "parent"};
};

int finalMessages = 0;

LRESULT CALLBACK CountFinalMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) ++finalMessages;
    return DefWindowProcA(window, message, wParam, lParam);
}

const std::string thirtyDigits(30, '9');

struct IntRow {
    std::string text;
    int expected;
};
const IntRow intRows[] = {
    {"  - 42ab", -42},
    {"+5", 0},
    {"", 0},
    {"-", 0},
    {"\t5", 0},
    {"12 34", 12},
    {"007", 7},
    {"表5", 0},
    {"5表", 5},
    {"2147483647", INT_MAX},
    {"2147483648", INT_MAX},
    {"-2147483648", INT_MIN},
    {"-2147483649", INT_MIN},
    {thirtyDigits, INT_MAX},
    {"-" + thirtyDigits, INT_MIN},
};

}  // namespace

TEST_F(ControlTest, GetIntReadsALeadingDecimalAndSaturates) {
    SmartControl unbound(1);
    SmartControl bound(40);
    AddChild("EDIT", ES_AUTOHSCROLL, 40);
    BindDialogControls(parent.node());
    ASSERT_TRUE(bound.IsBound());
    EXPECT_EQ(0, unbound.GetInt()) << "no text at all";
    for (const IntRow& row : intRows) {
        unbound.SetText(row.text.c_str());
        EXPECT_EQ(row.expected, unbound.GetInt()) << "unbound: \"" << row.text << "\"";
        bound.SetText(row.text.c_str());
        EXPECT_EQ(row.expected, bound.GetInt()) << "bound: \"" << row.text << "\"";
    }
}

TEST_F(ControlTest, SetIntWritesDecimalText) {
    SmartControl unbound(1);
    SmartControl bound(40);
    const HWND edit = AddChild("EDIT", 0, 40);
    BindDialogControls(parent.node());
    for (const int value : {-7, 0, INT_MIN, INT_MAX}) {
        unbound.SetInt(value);
        EXPECT_EQ(std::to_string(value), unbound.GetText());
        bound.SetInt(value);
        char text[32] = "";
        GetWindowTextA(edit, text, sizeof text);
        EXPECT_EQ(std::to_string(value), text);
        EXPECT_EQ(value, bound.GetInt());
    }
}

TEST_F(ControlTest, GetTextIsNeverNull) {
    SmartControl fresh(1), cleared(2), bound(40);
    AddChild("EDIT", 0, 40);
    BindDialogControls(parent.node());
    ASSERT_NE(nullptr, fresh.GetText());
    EXPECT_STREQ("", fresh.GetText());
    cleared.SetText("x");
    cleared.SetText(nullptr);
    EXPECT_STREQ("", cleared.GetText());
    ASSERT_NE(nullptr, bound.GetText());
    EXPECT_STREQ("", bound.GetText());
    bound.SetText("ソフト表示");
    EXPECT_STREQ("ソフト表示", bound.GetText());
}

TEST_F(ControlTest, GetTextIntoNeverCutsACharacterInHalf) {
    SmartControl control(1);
    struct Row {
        const char* stored;
        int size;
        const char* expected;
    };
    const Row rows[] = {
        {"a表", 4, "a表"}, {"a表", 3, "a"}, {"a表", 2, "a"}, {"a表", 1, ""},
        {"ソ", 2, ""},     {"ソ", 3, "ソ"}, {"ｱｲ", 2, "ｱ"},  {"abc", 64, "abc"},
    };
    for (const Row& row : rows) {
        control.SetText(row.stored);
        char buffer[64];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(static_cast<int>(std::strlen(row.expected)), control.GetTextInto(buffer, row.size));
        EXPECT_STREQ(row.expected, buffer) << row.stored << " into " << row.size;
    }
    char untouched[2] = "#";
    EXPECT_EQ(0, control.GetTextInto(untouched, 0));
    EXPECT_STREQ("#", untouched);
    EXPECT_EQ(0, control.GetTextInto(nullptr, 10));
}

TEST_F(ControlTest, CheckAndSelectionOperateOnTheControl) {
    SmartControl check(41), list(42), unbound(43);
    AddChild("BUTTON", BS_AUTOCHECKBOX, 41);
    const HWND listBox = AddChild("LISTBOX", 0, 42);
    for (const char* text : {"ソ", "表", "a"})
        SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    BindDialogControls(parent.node());

    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, check.GetCheck());
    check.SetCheck(BST_UNCHECKED);
    EXPECT_EQ(BST_UNCHECKED, check.GetCheck());
    EXPECT_EQ(2, list.SetCurSel(2));
    EXPECT_EQ(2, list.GetCurSel());
    EXPECT_EQ(LB_ERR, list.SetCurSel(7));
    list.SetCurSel(-1);
    EXPECT_EQ(LB_ERR, list.GetCurSel()) << "no selection";
    EXPECT_EQ(0, unbound.GetCurSel()) << "no platform call while unbound";
}

TEST_F(ControlTest, KeyDownIsForwardedOnlyForControlsBoundByIdentifier) {
    SmartControl byId(44);
    SmartControl byHandle(0, &parent);
    const HWND first = AddChild("EDIT", 0, 44);
    const HWND second = AddChild("EDIT", 0, 45);
    BindDialogControls(parent.node());
    ASSERT_TRUE(byHandle.Subclass(second));

    log.clear();
    SendMessageA(first, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(Log{"OnKeyDown 0x41"}, Only(log, {"OnKeyDown"}));
    log.clear();
    SendMessageA(second, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(Log{}, Only(log, {"OnKeyDown"}));
    EXPECT_FALSE(byHandle.boundById());
}

TEST_F(ControlTest, SubclassReplacesAndRestoresTheProcedure) {
    const HWND edit = AddChild("EDIT", 0, 46);
    const LONG_PTR original = Procedure(edit);
    {
        SmartSubclassWindow subclass;
        EXPECT_EQ(WindowKind::Subclassed, subclass.kind());
        subclass.Subclass();
        EXPECT_EQ(original, Procedure(edit)) << "unbound: nothing to subclass";

        ASSERT_TRUE(subclass.Subclass(edit));
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(CommonWindowProc), Procedure(edit));
        EXPECT_EQ(&subclass, FindWindowObject(edit));
        subclass.Subclass();
        EXPECT_FALSE(subclass.Subclass(edit)) << "already bound";
        SetWindowTextA(edit, "表ソ");
        char text[16] = "";
        EXPECT_EQ(4, GetWindowTextA(edit, text, sizeof text)) << "the edit still works";

        subclass.Unsubclass();
        EXPECT_EQ(original, Procedure(edit));
        EXPECT_FALSE(subclass.IsBound());
        EXPECT_FALSE(subclass.Subclass(parent.hwnd())) << "a framework window calls itself";
        EXPECT_FALSE(subclass.IsBound());

        ASSERT_TRUE(subclass.Subclass(edit));
    }
    EXPECT_EQ(original, Procedure(edit)) << "the destructor gives the procedure back";
}

TEST_F(ControlTest, DestroyedSubclassedWindowGetsItsLastMessageInItsOwnProcedure) {
    WNDCLASSA counting{};
    counting.lpfnWndProc = CountFinalMessages;
    counting.hInstance = instance();
    counting.lpszClassName = "KwibraCountingClass";
    ASSERT_NE(0, RegisterClassA(&counting));
    const HWND child = AddChild("KwibraCountingClass", 0, 47);
    SmartSubclassWindow subclass;
    ASSERT_TRUE(subclass.Subclass(child));
    finalMessages = 0;
    DestroyWindow(child);
    EXPECT_EQ(1, finalMessages);
    EXPECT_FALSE(subclass.IsBound());
    UnregisterClassA("KwibraCountingClass", instance());
}
