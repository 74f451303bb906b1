#include <gtest/gtest.h>

#include "AppFixture.h"
#include "DialogSteps.h"
#include "Files.h"
#include "WindowRegistry.h"
#include "settings/SettingsDialog.h"

namespace {

constexpr int List = IDC_ITEM_LIST;
constexpr int Line = IDC_LINE_EDIT;
constexpr int Mode = IDC_INPUT_MODE_COMBO;

// "hkey.dat" of list lines with these hotkeys, a character a line: '.' none, K Ctrl+K.
std::string Keys(const std::string& lines) {
    std::string bytes(6, '\0');  // the menu hotkeys
    for (const char c : lines) bytes += c == '.' ? std::string(2, '\0') : std::string{c, MOD_CONTROL};
    return bytes;
}

// A double click on the first item and the mouse moved onto the second, as a drag.
void DragFirstDown(HWND dialog) {
    const HWND list = GetDlgItem(dialog, List);
    const auto height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 1));
    SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, height + 1));
    SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(2, height + 1));
}

// The list a (Ctrl+K), ---, -->, b edited. Enter closes the dialog with OK unless it adds
// held text or a mark or moves on to the content edit (where OK does not close); a hotkey
// stays with its item until the item is deleted or becomes a mark, or it is cleared.
TEST(SettingsListEdits, ReachTheSavedFiles) {
    const struct {
        std::vector<Step> steps;
        std::string list, keys;
        bool closed = false;  // else OK closes the dialog after the steps
    } rows[] = {
        {{Press(Line, VK_RETURN)}, "a\n---\n-->\nb", "K...", true},
        {{SelectAt(List, 3), Press(Line, VK_RETURN)}, "a\n---\n-->\nb", "K...", true},
        {{SelectAt(Mode, 2), Press(Line, VK_RETURN), ClickOn(IDOK)}, "a\n---\n-->\nb", "K...", true},
        {{SelectAt(List, 3), TypeInto(Line, "n"), Press(Line, VK_RETURN)}, "a\n---\n-->\nn\nb", "K...."},
        {{SelectAt(List, 1), Press(Line, VK_RETURN)}, "a\n---\n---\n-->\nb", "K...."},
        {{SelectAt(List, 2), Press(Line, VK_RETURN)}, "a\n---\n-->\nb", "K..."},  // two breaks save as one
        {{SelectAt(Mode, 1), Press(IDC_DISPLAY_EDIT, VK_RETURN)}, "a\n---\n-->\nb", "K..."},
        {{SelectAt(List, 0), ClickOn(IDC_DELETE_BUTTON)}, "---\n-->\nb", "..."},
        {{SelectAt(List, 0), TypeInto(Line, "B"), ClickOn(IDC_CHANGE_BUTTON)}, "B\n---\n-->\nb", "K..."},
        {{SelectAt(List, 0), TypeInto(Line, "---"), ClickOn(IDC_CHANGE_BUTTON)}, "---\n---\n-->\nb", "...."},
        {{SelectAt(List, 0), TypeInto(Line, "-->"), ClickOn(IDC_CHANGE_BUTTON)}, "-->\n---\n-->\nb", "...."},
        {{SelectAt(List, 2), TypeInto(Line, ""), ClickOn(IDC_CHANGE_BUTTON)}, "a\n---\n-->\nb", "K..."},
        {{SelectAt(List, 0), ClickOn(IDC_MOVE_DOWN_BUTTON)}, "---\na\n-->\nb", ".K.."},
        {{SelectAt(List, 0), Press(List, VK_RIGHT, true)}, "---\n-->\nb\na", "...K"},
        {{SelectAt(List, 0), Expect(DragFirstDown)}, "---\na\n-->\nb", ".K.."},
        {{SelectAt(List, 0), Press(IDC_ITEM_HOTKEY, VK_SHIFT)}, "a\n---\n-->\nb", "...."},
        // Enter and Shift+Enter add, Ctrl+Enter does not; only a plain Ins adds; a new item
        // without a selection takes no hotkey.
        {{SelectAt(List, 3), TypeInto(Line, "n"), Press(Line, VK_RETURN, true)}, "a\n---\n-->\nb", "K..."},
        {{SelectAt(List, 3), TypeInto(Line, "n"), Press(Line, VK_RETURN, false, true)},
         "a\n---\n-->\nn\nb",
         "K...."},
        {{SelectAt(List, 3), TypeInto(Line, "n"), Press(Line, VK_INSERT, false, true)},
         "a\n---\n-->\nb",
         "K..."},
        {{TypeInto(Line, "n"), ClickOn(IDC_ADD_BUTTON),
          Expect([](HWND dialog) { EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_ITEM_HOTKEY))); })},
         "a\n---\n-->\nb\nn",
         "K...."},
    };
    for (const auto& row : rows) {
        const std::size_t count = row.keys.find('K') != std::string::npos;
        std::vector<Step> steps = row.steps;
        if (!row.closed) {
            steps.push_back(Expect([count](HWND dialog) {
                EXPECT_EQ(count, dynamic_cast<SettingsDialog*>(FindWindowObject(dialog))->ItemHotkeyCount());
            }));
            steps.push_back(ClickOn(IDOK));
        }
        TempFolder folder;
        WriteBytes(PhraseApp::hotkeyPath, Keys("K..."));
        AppWithWindow app("a\n---\n-->\nb");
        DeleteFileA(PhraseApp::settingsPath);  // only OK writes it
        RunDialog([&] { app.Command(IDM_SETTINGS); }, steps);
        EXPECT_EQ(SettingsText(row.list), ReadBytes(PhraseApp::settingsPath));
        EXPECT_EQ(Keys(row.keys), ReadBytes(PhraseApp::hotkeyPath));
    }
}

}  // namespace
