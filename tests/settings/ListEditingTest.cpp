#include <gtest/gtest.h>
#include <windows.h>

#include <dlgs.h>

#include <algorithm>
#include <filesystem>

#include "AppFixture.h"
#include "DialogSteps.h"
#include "Files.h"
#include "WindowRegistry.h"
#include "settings/DialogText.h"
#include "settings/SettingsDialog.h"

namespace {

constexpr int List = IDC_ITEM_LIST;
constexpr int Line = IDC_LINE_EDIT;
constexpr int Mode = IDC_INPUT_MODE_COMBO;
constexpr const char* Same = "a\n---\n-->\nb";  // the list as it was

// "hkey.dat": menus (main, history, phrase), then lines; '.' no key, 'F' F5 alone, else Ctrl and the key.
std::string Keys(const std::string& lines, const std::string& menus = "123") {
    std::string bytes;
    for (const char c : menus + lines)
        bytes += c == '.' ? std::string(2, '\0')
                          : std::string{c == 'F' ? char{VK_F5} : c, c == 'F' ? '\0' : char{MOD_CONTROL}};
    return bytes;
}

// A double click on the selected item and the mouse moved onto another, as a drag.
Step Drag(int from, int to) {
    return Expect([from, to](HWND dialog) {
        const HWND list = GetDlgItem(dialog, List);
        const auto height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
        for (const auto& [message, item] :
             {std::pair{WM_LBUTTONDBLCLK, from}, {WM_MOUSEMOVE, to}, {WM_LBUTTONUP, to}})
            SendMessageA(list, message, MK_LBUTTON, MAKELPARAM(2, item * height + 1));
    });
}

// A name typed into the file chooser and OK: a folder is browsed into, a file chosen.
Step Choose(const char* name) {
    return Expect([name](HWND chooser) {
        SetDlgItemTextA(chooser, cmb13, name);
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    });
}

Step Focus(int control) {
    return [control](HWND dialog) { SetFocus(GetDlgItem(dialog, control)); };
}

// The list a (Ctrl+K), ---, -->, b edited. Enter closes the dialog with OK unless it adds held text or a mark
// or moves on to the content edit; a hotkey follows its item until it goes, becomes a mark or is cleared.
TEST(SettingsListEdits, ReachTheSavedFiles) {
    const struct {
        std::vector<Step> steps;
        std::string list, keys;
        bool closed = false;  // else OK closes the dialog after the steps
        const char* menus = "123";
    } rows[] = {
        {{Press(Line, VK_RETURN)}, Same, "K...", true},
        {{SelectAt(List, 3), Press(Line, VK_RETURN)}, Same, "K...", true},
        {{SelectAt(Mode, 2), Press(Line, VK_RETURN), ClickOn(IDOK)}, Same, "K...", true},
        {{SelectAt(List, 1), Press(Line, VK_RETURN)}, "a\n---\n---\n-->\nb", "K...."},
        {{SelectAt(List, 2), Press(Line, VK_RETURN)}, Same, "K..."},  // two breaks save as one
        {{SelectAt(Mode, 1), Press(IDC_DISPLAY_EDIT, VK_RETURN)}, Same, "K..."},
        {{SelectAt(List, 0), ClickOn(IDC_DELETE_BUTTON)}, "---\n-->\nb", "..."},
        {{SelectAt(List, 0), TypeInto(Line, "B"), ClickOn(IDC_CHANGE_BUTTON)}, "B\n---\n-->\nb", "K..."},
        {{SelectAt(List, 0), TypeInto(Line, "---"), ClickOn(IDC_CHANGE_BUTTON)}, "---\n---\n-->\nb", "...."},
        {{SelectAt(List, 2), TypeInto(Line, ""), ClickOn(IDC_CHANGE_BUTTON)}, Same, "K..."},
        {{SelectAt(List, 0), Press(List, VK_RIGHT, MOD_CONTROL), Press(List, VK_UP, MOD_CONTROL)},
         "---\n-->\na\nb",
         "..K."},
        {{SelectAt(List, 2), ClickOn(IDC_MOVE_UP_BUTTON)}, "a\n-->\n---\nb", "K..."},
        {{SelectAt(List, 1), Drag(1, 2), SelectAt(List, 3), Drag(3, 2)}, "a\n-->\nb\n---", "K..."},
        {{SelectAt(List, 0), Press(IDC_ITEM_HOTKEY, VK_SHIFT)}, Same, "...."},
        {{SelectAt(List, 3), Press(IDC_ITEM_HOTKEY, VK_F5)}, Same, "K..F"},    // a new key, a new record
        {{Press(IDC_PHRASE_MENU_HOTKEY, VK_F5)}, Same, "K...", false, "12F"},  // that menu's own key
        {{ClickOn(IDC_INSERT_FILE_BUTTON), Choose("C:\\windows"), ClickOn(IDCANCEL),
          ClickOn(IDC_INSERT_FILE_BUTTON), Choose("C:\\windows\\win.ini"), ClickOn(IDC_ADD_BUTTON)},
         "a\n---\n-->\nb\n * win : C:\\windows\\win.ini",
         "K...."},
        // Shift+Enter adds, Ctrl+Enter and Shift+Ins do not; a new item without a selection takes no hotkey.
        {{SelectAt(List, 3), TypeInto(Line, "n"), Press(Line, VK_RETURN, MOD_CONTROL)}, Same, "K..."},
        {{SelectAt(List, 3), TypeInto(Line, "n"), Press(Line, VK_RETURN, MOD_SHIFT)},
         "a\n---\n-->\nn\nb",
         "K...."},
        {{SelectAt(List, 3), TypeInto(Line, "n"), Press(Line, VK_INSERT, MOD_SHIFT)}, Same, "K..."},
        {{TypeInto(Line, "n"), ClickOn(IDC_ADD_BUTTON),
          Expect([](HWND dialog) { EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_ITEM_HOTKEY))); })},
         "a\n---\n-->\nb\nn",
         "K...."},
    };
    for (const auto& row : rows) {
        const std::size_t count = row.keys.size() - std::count(row.keys.begin(), row.keys.end(), '.');
        std::vector<Step> steps = row.steps;
        if (!row.closed) {
            steps.push_back(Expect([count](HWND dialog) {
                EXPECT_EQ(count, dynamic_cast<SettingsDialog*>(FindWindowObject(dialog))->ItemHotkeyCount());
            }));
            steps.push_back(ClickOn(IDOK));
        }
        TempFolder folder;
        const std::filesystem::path here = std::filesystem::current_path();
        WriteBytes(PhraseApp::hotkeyPath, Keys("K..."));
        AppWithWindow app(Same);
        DeleteFileA(PhraseApp::settingsPath);  // only OK writes it
        RunDialog([&] { app.Command(IDM_SETTINGS); }, steps);
        EXPECT_EQ(here, std::filesystem::current_path());  // the file chooser gives the folder back
        EXPECT_EQ(SettingsText(row.list), ReadBytes(PhraseApp::settingsPath));
        EXPECT_EQ(Keys(row.keys, row.menus), ReadBytes(PhraseApp::hotkeyPath));
    }
}

// A way through the dialog: after each step, the line the fields compose and the help for the focus and line.
TEST(SettingsListEdits, FieldsComposeTheLineModesConvertItAndTheHelpFollowsTheFocus) {
    const std::tuple<Step, const char*, UINT> rows[] = {
        {Focus(Line), "", IDS_HELP_LINE},
        {Focus(0), "", 0},
        {SelectAt(Mode, 1), "", IDS_HELP_INPUT_MODE},
        {Focus(IDC_MAIN_MENU_HOTKEY), "", IDS_HELP_MENU_HOTKEY},
        {TypeInto(IDC_DISPLAY_EDIT, "表"), " +表 : ", IDS_HELP_DISPLAY_EDIT},
        {TypeInto(IDC_CONTENT_EDIT, "表"), "表", IDS_HELP_CONTENT_EDIT},
        {SelectAt(IDC_ITEM_KIND_COMBO, 1), " *表", IDS_HELP_ITEM_KIND},
        {TypeInto(IDC_CONTENT_EDIT, "ソ"), " *表 : ソ", IDS_HELP_CONTENT_EDIT},
        {SelectAt(IDC_ITEM_KIND_COMBO, 4), " -表", IDS_HELP_ITEM_KIND},
        {TypeInto(IDC_DISPLAY_EDIT, "節"), " -節", IDS_HELP_DISPLAY_EDIT},
        {SelectAt(IDC_ITEM_KIND_COMBO, 2), "---", IDS_HELP_ITEM_KIND},
        {TypeInto(IDC_DISPLAY_EDIT, "x"), " +x : ---", IDS_HELP_DISPLAY_EDIT},
        {SelectAt(IDC_ITEM_KIND_COMBO, 3), "-->", IDS_HELP_ITEM_KIND},
        {TypeInto(IDC_CONTENT_EDIT, "y"), " +--> : y", IDS_HELP_CONTENT_EDIT},
        {Focus(Line), " +--> : y", IDS_HELP_LABEL_LINE},
        {TypeInto(Line, " *"), " *", IDS_HELP_COMMAND_MARK},
        {TypeInto(Line, "-->"), "-->", IDS_HELP_COLUMN_BREAK},
        {TypeInto(Line, "ソn表\\n"), "ソn表\\n", IDS_HELP_LINE_HOLDING},
        {Focus(IDOK), "ソn表\\n", IDS_HELP_OTHER_WITH_TEXT},
        {Focus(List), "ソn表\\n", IDS_HELP_LIST_HOLDING},
        {SelectAt(Mode, 2), "ソn表\r\n", IDS_HELP_INPUT_MODE},
        {TypeInto(Line, "a\rb\n\r"), "a\rb\n\r", IDS_HELP_MULTI_LINE_HOLDING},
        {SelectAt(Mode, 0), "a\\nb\\n\\n", IDS_HELP_INPUT_MODE},
        {TypeInto(Line, ""), "", IDS_HELP_LINE},
        {Focus(List), "", IDS_HELP_LIST},
        {TypeInto(Line, " *a\\nb"), " *a\\nb", IDS_HELP_COMMAND_LINE},
        {SelectAt(Mode, 2), " *a\\nb", IDS_HELP_INPUT_MODE},
        {TypeInto(Line, ""), "", IDS_HELP_MULTI_LINE},
        {SelectAt(List, 0), "a", IDS_HELP_MULTI_LINE},
        {Focus(IDC_ITEM_HOTKEY), "a", IDS_HELP_ITEM_HOTKEY},
    };
    std::vector<Step> steps;
    for (const auto& [step, line, help] : rows) {
        steps.push_back(step);
        steps.push_back(Expect([line = std::string(line), help = help](HWND dialog) {
            EXPECT_EQ(line, ControlText(dialog, Line));
            EXPECT_EQ(help ? LoadDialogString(help) : "", ControlText(dialog, IDC_STATUS_TEXT)) << line;
        }));
    }
    TempFolder folder;
    AppWithWindow app("a");
    RunDialog([&] { app.Command(IDM_SETTINGS); }, steps);
}

}  // namespace
