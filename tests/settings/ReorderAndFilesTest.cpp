// Moving items with keys, buttons and dragging; inserting file names from
// the open-file dialog and from dropped files.
#include "DialogHarness.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>

namespace {

using Lines = std::vector<std::string>;

class Reordering : public SettingsDialogTest {
  protected:
    void SetUp() override {
        SettingsDialogTest::SetUp();
        owner->fill.lines = {{"a"}, {"b"}, {"c", 'C', MOD_CONTROL}, {"d"}, {"e"}};
    }
    int Run(std::vector<Step> steps) { return owner->Run(dialog, std::move(steps)); }
    SettingsDialog dialog;
};

// Three steps: hold Ctrl, press the key in the list box, release Ctrl.
std::vector<Step> WithControl(WPARAM key, Step check) {
    return {
        [](SettingsDialog&, HWND) { PressControl(); },
        [key](SettingsDialog&, HWND d) {
            ASSERT_TRUE(GetAsyncKeyState(VK_CONTROL) & 0x8000) << "Ctrl is down for the list box";
            PostKey(Item(d, IDC_ITEM_LIST), key);
        },
        [check](SettingsDialog& s, HWND d) {
            ReleaseControl();
            check(s, d);
        },
    };
}

void Append(std::vector<Step>& steps, std::vector<Step> more) {
    steps.insert(steps.end(), more.begin(), more.end());
}

TEST_F(Reordering, CtrlLeftAndRightMoveToTheEndsKeepingTheHotkey) {
    const HotkeyBinding* record = nullptr;
    std::vector<Step> steps{[&](SettingsDialog& s, HWND d) {
        record = s.LineHotkey(2);
        SelectItem(d, 2);
    }};
    Append(steps, WithControl(VK_LEFT, [&](SettingsDialog& s, HWND d) {
               EXPECT_EQ((Lines{"c", "a", "b", "d", "e"}), ListLines(d));
               EXPECT_EQ(0, Selection(d));
               EXPECT_EQ(record, s.LineHotkey(0));
               EXPECT_EQ(nullptr, s.LineHotkey(2));
               EXPECT_FALSE(Enabled(d, IDC_MOVE_UP_BUTTON));
               EXPECT_TRUE(Enabled(d, IDC_MOVE_DOWN_BUTTON));
               EXPECT_EQ(MAKEWORD('C', HOTKEYF_CONTROL),
                         SendDlgItemMessageA(d, IDC_ITEM_HOTKEY, HKM_GETHOTKEY, 0, 0));
           }));
    Append(steps, WithControl(VK_RIGHT, [&](SettingsDialog& s, HWND d) {
               EXPECT_EQ((Lines{"a", "b", "d", "e", "c"}), ListLines(d));
               EXPECT_EQ(4, Selection(d));
               EXPECT_EQ(record, s.LineHotkey(4));
               EXPECT_TRUE(Enabled(d, IDC_MOVE_UP_BUTTON));
               EXPECT_FALSE(Enabled(d, IDC_MOVE_DOWN_BUTTON));
           }));
    Append(steps, WithControl(VK_DOWN, [&](SettingsDialog&, HWND d) {
               EXPECT_EQ((Lines{"a", "b", "d", "e", "c"}), ListLines(d)) << "Ctrl+Down on the last item";
               EXPECT_EQ(4, Selection(d));
           }));
    Append(steps, WithControl(VK_UP, [&](SettingsDialog& s, HWND d) {
               EXPECT_EQ((Lines{"a", "b", "d", "c", "e"}), ListLines(d));
               EXPECT_EQ(3, Selection(d));
               EXPECT_EQ(record, s.LineHotkey(3));
               EXPECT_EQ(1u, s.ItemHotkeyCount());
               SelectItem(d, 0);
           }));
    Append(steps, WithControl(VK_UP, [&](SettingsDialog&, HWND d) {
               EXPECT_EQ((Lines{"a", "b", "d", "c", "e"}), ListLines(d)) << "Ctrl+Up on the first item";
               EXPECT_EQ(0, Selection(d));
           }));
    Run(steps);
}

TEST_F(Reordering, PlainArrowsInTheListSelectWithoutMoving) {
    Run({
        [](SettingsDialog&, HWND d) {
            SetFocus(Item(d, IDC_ITEM_LIST));
            PostKey(Item(d, IDC_ITEM_LIST), VK_RIGHT);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ(4, Selection(d));
            EXPECT_EQ("e", LineText(d));
            PostKey(Item(d, IDC_ITEM_LIST), VK_DOWN);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ(0, Selection(d)) << "wraps to the first";
            PostKey(Item(d, IDC_ITEM_LIST), VK_UP);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ(4, Selection(d)) << "wraps to the last";
            PostKey(Item(d, IDC_ITEM_LIST), VK_LEFT);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ(0, Selection(d));
            EXPECT_EQ((Lines{"a", "b", "c", "d", "e"}), ListLines(d));
        },
    });
}

TEST_F(Reordering, CtrlLeftWithoutSelectionOnlyDisablesTheButtons) {
    std::vector<Step> steps{[](SettingsDialog&, HWND d) {
        SelectItem(d, 2);
        SelectItem(d, -1);
        for (int id : {IDC_DELETE_BUTTON, IDC_CHANGE_BUTTON, IDC_MOVE_UP_BUTTON, IDC_MOVE_DOWN_BUTTON})
            EnableWindow(Item(d, id), TRUE);
        SetFocus(Item(d, IDC_ITEM_LIST));
    }};
    Append(steps, WithControl(VK_LEFT, [](SettingsDialog&, HWND d) {
               EXPECT_EQ((Lines{"a", "b", "c", "d", "e"}), ListLines(d));
               for (int id : {IDC_DELETE_BUTTON, IDC_CHANGE_BUTTON, IDC_MOVE_UP_BUTTON, IDC_MOVE_DOWN_BUTTON})
                   EXPECT_FALSE(Enabled(d, id)) << id;
           }));
    Run(steps);
}

TEST_F(Reordering, MoveButtonsAndHeldText) {
    Run({
        [](SettingsDialog&, HWND d) {
            SelectItem(d, 1);
            TypeOver(Item(d, IDC_LINE_EDIT), "held");
            PostMessageA(Item(d, IDC_MOVE_DOWN_BUTTON), BM_CLICK, 0, 0);
        },
        [](SettingsDialog& s, HWND d) {
            EXPECT_EQ((Lines{"a", "c", "b", "d", "e"}), ListLines(d));
            EXPECT_EQ(2, Selection(d));
            EXPECT_EQ("held", LineText(d)) << "a move does not replace held text";
            EXPECT_TRUE(s.IsHoldingText());
            EXPECT_NE(nullptr, s.LineHotkey(1));
            PostMessageA(Item(d, IDC_MOVE_UP_BUTTON), BM_CLICK, 0, 0);
            PostMessageA(Item(d, IDC_MOVE_UP_BUTTON), BM_CLICK, 0, 0);
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ((Lines{"b", "a", "c", "d", "e"}), ListLines(d));
            EXPECT_EQ(0, Selection(d));
            EXPECT_FALSE(Enabled(d, IDC_MOVE_UP_BUTTON));
            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_MOVE_UP_BUTTON, BN_CLICKED),
                         reinterpret_cast<LPARAM>(Item(d, IDC_MOVE_UP_BUTTON)));
            EXPECT_EQ((Lines{"b", "a", "c", "d", "e"}), ListLines(d)) << "nothing above the first";
        },
    });
}

LPARAM PointIn(const RECT& rect, int dy = 0) {
    return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 + dy);
}

RECT ItemRect(HWND dialog, int index) {
    RECT rect{};
    SendDlgItemMessageA(dialog, IDC_ITEM_LIST, LB_GETITEMRECT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(&rect));
    return rect;
}

TEST_F(Reordering, DoubleClickThenDragMovesTheItemOneStepPerMouseMove) {
    const HotkeyBinding* record = nullptr;
    Run({
        [&](SettingsDialog& s, HWND d) {
            record = s.LineHotkey(2);
            const HWND list = Item(d, IDC_ITEM_LIST);
            const LPARAM at = PointIn(ItemRect(d, 2));
            PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageA(list, WM_LBUTTONUP, 0, at);
            PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        },
        [&](SettingsDialog& s, HWND d) {
            EXPECT_EQ(2, Selection(d));
            EXPECT_TRUE(s.IsDragging());
            EXPECT_EQ(Item(d, IDC_ITEM_LIST), GetCapture());
            const HWND list = Item(d, IDC_ITEM_LIST);
            const RECT rect = ItemRect(d, 2);
            const int height = rect.bottom - rect.top;
            // Held below the item: each mouse message moves it one step down.
            PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, PointIn(rect, 2 * height));
            PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, PointIn(rect, 2 * height));
        },
        [&](SettingsDialog& s, HWND d) {
            EXPECT_EQ((Lines{"a", "b", "d", "e", "c"}), ListLines(d));
            EXPECT_EQ(4, Selection(d));
            EXPECT_EQ(record, s.LineHotkey(4));
            const HWND list = Item(d, IDC_ITEM_LIST);
            PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, PointIn(ItemRect(d, 4)));  // on the item: stays
            PostMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, PointIn(ItemRect(d, 1)));  // above: one step up
        },
        [&](SettingsDialog& s, HWND d) {
            EXPECT_EQ((Lines{"a", "b", "d", "c", "e"}), ListLines(d));
            EXPECT_EQ(3, Selection(d));
            EXPECT_EQ(record, s.LineHotkey(3));
            PostMessageA(Item(d, IDC_ITEM_LIST), WM_LBUTTONUP, 0, PointIn(ItemRect(d, 1)));
        },
        [&](SettingsDialog& s, HWND d) {
            EXPECT_FALSE(s.IsDragging());
            EXPECT_EQ(nullptr, GetCapture()) << "the capture is given up";
            PostMessageA(Item(d, IDC_ITEM_LIST), WM_MOUSEMOVE, 0, PointIn(ItemRect(d, 0)));
        },
        [&](SettingsDialog&, HWND d) {
            EXPECT_EQ((Lines{"a", "b", "d", "c", "e"}), ListLines(d)) << "no dragging after the release";
            EXPECT_EQ(record, dialog.LineHotkey(3));
        },
    });
}

// ---- File names ----

// A drop as the shell makes it: DROPFILES followed by the ANSI paths.
HDROP MakeDrop(const std::vector<std::string>& paths) {
    std::size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths) size += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    char* text = reinterpret_cast<char*>(header) + sizeof(DROPFILES);
    for (const std::string& path : paths) {
        std::memcpy(text, path.c_str(), path.size() + 1);
        text += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void Drop(HWND dialog, const std::vector<std::string>& paths) {
    PostMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
}

class FileNames : public SettingsDialogTest {
  protected:
    int Run(std::vector<Step> steps) { return owner->Run(dialog, std::move(steps)); }
    SettingsDialog dialog;
};

TEST_F(FileNames, ADroppedPathBecomesACommandLineInAnEmptyEdit) {
    const std::string memo = ResourceString(IDS_MEMO_COMMAND_PREFIX);
    ASSERT_EQ(" * メモ  : ", memo);
    const struct {
        std::string path;
        std::string line;
    } cases[] = {
        {"C:\\dir\\file.txt", " * file : C:\\dir\\file.txt"},
        {"C:/dir/file.txt", " * file : C:/dir/file.txt"},
        {"C:\\dir\\file", memo + "C:\\dir\\file"},
        {"file.txt", memo + "file.txt"},
        {"C:\\my.dir\\file", " * my : C:\\my.dir\\file"},
        {"C:\\表\\ソ.txt", " * ソ : C:\\表\\ソ.txt"},
    };
    std::vector<Step> steps;
    for (const auto& c : cases) {
        steps.push_back([c](SettingsDialog&, HWND d) {
            TypeOver(Item(d, IDC_LINE_EDIT), "");
            SetFocus(Item(d, IDC_ITEM_LIST));
            Drop(d, {c.path});
        });
        steps.push_back([c](SettingsDialog& s, HWND d) {
            SCOPED_TRACE(c.path);
            EXPECT_EQ(c.line, LineText(d));
            EXPECT_EQ(Item(d, IDC_LINE_EDIT), GetFocus());
            EXPECT_TRUE(s.IsHoldingText()) << "the line edit reported the change";
            EXPECT_TRUE(Enabled(d, IDC_ADD_BUTTON));
        });
    }
    Run(steps);
}

TEST_F(FileNames, APathGoesToTheCaretInsideExistingText) {
    Run({
        [](SettingsDialog&, HWND d) {
            TypeOver(Item(d, IDC_LINE_EDIT), "abc");
            SendDlgItemMessageA(d, IDC_LINE_EDIT, EM_SETSEL, 1, 1);
            Drop(d, {"C:\\x.txt"});
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ("aC:\\x.txtbc", LineText(d));
            SendDlgItemMessageA(d, IDC_LINE_EDIT, EM_SETSEL, 1, 2);
            Drop(d, {"D:\\y"});
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ("aD:\\y:\\x.txtbc", LineText(d)) << "a partial selection is replaced by the bare path";
        },
    });
}

TEST_F(FileNames, AWhollySelectedTextIsReplacedByACommandLine) {
    for (const char* text : {"abc", "表示ソ"}) {
        SCOPED_TRACE(text);
        SettingsDialog fresh;
        owner->Run(fresh,
                   {
                       [text](SettingsDialog&, HWND d) {
                           TypeOver(Item(d, IDC_LINE_EDIT), text);
                           SendDlgItemMessageA(d, IDC_LINE_EDIT, EM_SETSEL, 0, -1);
                           Drop(d, {"C:\\dir\\メモ.txt"});
                       },
                       [](SettingsDialog&, HWND d) { EXPECT_EQ(" * メモ : C:\\dir\\メモ.txt", LineText(d)); },
                   });
    }
}

TEST_F(FileNames, OnlyTheFirstOfThreeDroppedFilesIsInserted) {
    Run({
        [](SettingsDialog&, HWND d) {
            Drop(d, {"C:\\one.txt", "C:\\two.txt", "C:\\three.txt"});
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ(" * one : C:\\one.txt", LineText(d));
            EXPECT_EQ(d, GetForegroundWindow()) << "the dialog comes to the front";
        },
    });
}

TEST_F(FileNames, APathLongerThanMaxPathIsRefusedWhole) {
    Run({
        [](SettingsDialog&, HWND d) {
            TypeOver(Item(d, IDC_LINE_EDIT), "keep");
            Drop(d, {"C:\\" + std::string(300, 'x') + ".txt"});
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ("keep", LineText(d));
            Drop(d, {"C:\\" + std::string(MAX_PATH - 4, 'y')});  // 259 bytes: still fits
        },
        [](SettingsDialog&, HWND d) {
            EXPECT_EQ("keep" + ("C:\\" + std::string(MAX_PATH - 4, 'y')), LineText(d));
        },
    });
}

// ---- The open-file dialog ----

std::string CurrentDirectory() {
    char buffer[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

// A fresh directory under the temporary folder.
std::string MakeDirectory(const char* name) {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + name;
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

struct DialogSearch {
    HWND settings;
    std::string title;
    HWND found;
};

BOOL CALLBACK CheckThreadWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<DialogSearch*>(data);
    if (window != search->settings && IsWindowVisible(window) && WindowText(window) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindOpenFileDialog(HWND settings) {
    DialogSearch search{settings, ResourceString(IDS_OPEN_FILE_TITLE), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), CheckThreadWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class OpenFileDialog : public FileNames {
  protected:
    void SetUp() override {
        FileNames::SetUp();
        savedDirectory = CurrentDirectory();
        startDirectory = MakeDirectory("kwibra-start");
        fileDirectory = MakeDirectory("kwibra-files");
        filePath = fileDirectory + "\\sample.txt";
        std::ofstream(filePath) << "x";
        SetCurrentDirectoryA(startDirectory.c_str());
    }
    void TearDown() override {
        SetCurrentDirectoryA(savedDirectory.c_str());
        DeleteFileA(filePath.c_str());
        RemoveDirectoryA(fileDirectory.c_str());
        RemoveDirectoryA(startDirectory.c_str());
        FileNames::TearDown();
    }
    // Steps that wait for the open-file dialog, then act on it.
    std::vector<Step> WithOpenFileDialog(std::function<void(HWND)> act) {
        auto found = std::make_shared<HWND>(nullptr);
        std::vector<Step> steps{
            [](SettingsDialog&, HWND d) { PostMessageA(Item(d, IDC_INSERT_FILE_BUTTON), BM_CLICK, 0, 0); }};
        // The dialog takes a few rounds to appear; each step looks again.
        for (int i = 0; i < 20; ++i) {
            steps.push_back([found](SettingsDialog&, HWND d) {
                if (!*found) {
                    *found = FindOpenFileDialog(d);
                    if (!*found) Sleep(50);
                }
            });
        }
        steps.push_back([found, act](SettingsDialog&, HWND) {
            ASSERT_NE(nullptr, *found) << "the open-file dialog appeared";
            EXPECT_NE(FALSE, IsWindowEnabled(*found));
            act(*found);
        });
        return steps;
    }
    std::string savedDirectory, startDirectory, fileDirectory, filePath;
};

TEST_F(OpenFileDialog, TheChosenFileIsInsertedAndTheDirectoryRestored) {
    std::vector<Step> steps = WithOpenFileDialog([this](HWND fileDialog) {
        SetDlgItemTextA(fileDialog, cmb13, filePath.c_str());
        SetDlgItemTextA(fileDialog, edt1, filePath.c_str());
        PostMessageA(fileDialog, WM_COMMAND, IDOK, 0);
    });
    steps.push_back([this](SettingsDialog&, HWND d) {
        EXPECT_EQ(" * sample : " + filePath, LineText(d));
        EXPECT_EQ(startDirectory, CurrentDirectory());
    });
    Run(steps);
}

TEST_F(OpenFileDialog, CancelInsertsNothingAndRestoresTheDirectory) {
    std::vector<Step> steps{[](SettingsDialog&, HWND d) { TypeOver(Item(d, IDC_LINE_EDIT), "kept"); }};
    Append(steps,
           WithOpenFileDialog([](HWND fileDialog) { PostMessageA(fileDialog, WM_COMMAND, IDCANCEL, 0); }));
    steps.push_back([this](SettingsDialog&, HWND d) {
        EXPECT_EQ("kept", LineText(d));
        EXPECT_EQ(startDirectory, CurrentDirectory());
    });
    Run(steps);
}

}  // namespace
