// Identifiers of the program's resources and commands, shared by the C++
// sources and kwibra.rc (so only preprocessor definitions live here).
#ifndef KWIBRA_RESOURCE_H
#define KWIBRA_RESOURCE_H

// Icons
#define IDI_KWIBRA 101       // the program: window class, dialogs, tray
#define IDI_DOWN_ARROW 107   // move the selected item down
#define IDI_UP_ARROW 108     // move the selected item up
#define IDI_KWIBRA_BUSY 110  // tray icon while a menu is open
#define IDI_FILE_OPEN 114    // insert a file name
#define IDI_LABEL 122        // item whose menu text differs from its text
#define IDI_HISTORY 123      // the clipboard history menu

// Menus
#define IDR_MAIN_MENU 102

// Dialogs
#define IDD_SETTINGS 103
#define IDD_ABOUT 104

// Hotkey identifiers that are not menu positions
#define HOTKEY_TILDE 102

// Command identifiers
#define FIRST_ITEM_COMMAND_ID 120
#define IDM_EXIT 40001
#define IDM_SETTINGS 40002
#define IDM_ABOUT 40007
#define IDM_ADD_CLIPBOARD 40008
#define IDM_HOTKEYS 40009
#define IDM_QUIT_RELAY1 40010
#define IDM_QUIT_RELAY2 40011
#define IDM_SHOW_MENU 40012
#define IDM_PASTE 40013
#define IDM_RELOAD 40014  // the work that waited: a rebuild, history copied while a menu was open

// Controls of the settings dialog
#define IDC_HISTORY_LIMIT_SPIN 103  // created at run time, buddy of 1040
#define IDC_ITEM_LIST 1000
#define IDC_LINE_EDIT 1001
#define IDC_DISPLAY_EDIT 1002
#define IDC_CONTENT_EDIT 1003
#define IDC_ADD_BUTTON 1004
#define IDC_DELETE_BUTTON 1005
#define IDC_ITEM_HOTKEY 1007
#define IDC_MAIN_MENU_HOTKEY 1008
#define IDC_PHRASE_MENU_HOTKEY 1009
#define IDC_HISTORY_MENU_HOTKEY 1010
#define IDC_MOVE_UP_BUTTON 1011
#define IDC_MOVE_DOWN_BUTTON 1012
#define IDC_TILDE_CHECK 1016
#define IDC_STATUS_TEXT 1020
#define IDC_INSERT_FILE_BUTTON 1027
#define IDC_INPUT_MODE_COMBO 1033
#define IDC_ITEM_KIND_COMBO 1034
#define IDC_DISPLAY_LABEL 1035
#define IDC_UPDATE_BUTTON 1037
#define IDC_CHANGE_BUTTON 1038
#define IDC_HISTORY_LIMIT_EDIT 1040
#define IDC_WAIT_RELEASE_CHECK 1046

// Strings (7, 16 and 35 are not used)
#define IDS_TITLE 1
#define IDS_DEFAULT_LIST 2
#define IDS_MENU_SETTINGS 3
#define IDS_HELP_LINE_HOLDING 4
#define IDS_HELP_LINE 5
#define IDS_HELP_MENU_HOTKEY 6
#define IDS_HELP_LIST 8
#define IDS_HELP_OTHER_WITH_TEXT 9
#define IDS_HELP_OTHER_EMPTY 10
#define IDS_HELP_LIST_HOLDING 11
#define IDS_HELP_SEPARATOR 12
#define IDS_HELP_COLUMN_BREAK 13
#define IDS_MENU_ADD_CLIPBOARD 14
#define IDS_MENU_NON_RESIDENT 15
#define IDS_HELP_COMMAND_MARK 17
#define IDS_HELP_COMMAND_LINE 18
#define IDS_OPEN_FILE_TITLE 19
#define IDS_MEMO_COMMAND_PREFIX 20
#define IDS_HELP_LABEL_MARK 21
#define IDS_HELP_LABEL_LINE 22
#define IDS_STATUS_SAVING 23
#define IDS_HELP_MULTI_LINE_HOLDING 24
#define IDS_HELP_MULTI_LINE 25
#define IDS_HELP_DISPLAY_EDIT 26
#define IDS_HELP_CONTENT_EDIT 27
#define IDS_HELP_INPUT_MODE 28
#define IDS_HELP_ITEM_KIND 29
#define IDS_STATUS_SAVED 30
#define IDS_WELCOME_TEXT 31
#define IDS_WELCOME_CAPTION 32
#define IDS_HELP_SECTION_MARK 33
#define IDS_HELP_SECTION_LINE 34
#define IDS_HELP_ITEM_HOTKEY 36
// What the program could not do, told in a balloon or a message box
#define IDS_READ_FAILED 37  // %1 file, %2 one of the read problems
#define IDS_PROBLEM_IN_USE 38
#define IDS_PROBLEM_TOO_LARGE 39
#define IDS_PROBLEM_READ_FAILED 40
#define IDS_PROBLEM_DAMAGED 41
#define IDS_KEPT_AT_START 42   // after a settings or hotkey file at start-up
#define IDS_KEPT_ON_RELOAD 43  // after a settings or hotkey file on a rebuild
#define IDS_HISTORY_KEPT 44    // after "clip.dat"
#define IDS_SAVE_FAILED 45     // %1 file, %2 one of the save problems
#define IDS_SAVE_REFUSED 46
#define IDS_SAVE_WRITE_FAILED 47
#define IDS_HOTKEYS_REFUSED 48  // followed by one line per key: %1 key (%2 what it opens)
#define IDS_HOTKEY_LINE 49
#define IDS_MAIN_MENU_NAME 50
#define IDS_TILDE_NAME 51
#define IDS_DISCARD_CHANGES 52
#define IDS_HOTKEYS_KEPT_AT_START 53  // after "hkey.dat" at start-up
#define IDS_PASTE_BLOCKED 54
#define IDS_HISTORY_CUT_SHORT 55  // %1 file
#define IDS_LEFTOVER_KEPT 56      // %1 the name the complete copy was kept under
#define IDS_PROBLEM_MISSING 57
#define IDS_HOTKEYS_DUPLICATE 58  // followed by one line per key: %1 key (%2 what it opens), %3 the other
#define IDS_HOTKEY_SAME_LINE 59
#define IDS_PHRASE_NOT_KEPT 60         // %1 the characters, as U+XXXX
#define IDS_PASTE_RULES_UNREADABLE 61  // %1 file; then a line per rule: %1 number, %2 text
#define IDS_PASTE_RULE_LINE 62
#define IDS_CLIPBOARD_BUSY 63

#endif
