// The menu builder of the application object: the main menu's fixed
// structure, the phrase and section menus, and reading the list back.
#include "app/PhraseApp.h"

#include <memory>

#include "menus/DeferredIcons.h"
#include "menus/MenuEntries.h"
#include "menus/MenuIds.h"
#include "menus/OwnerDraw.h"
#include "ResourceText.h"
#include "menus/SystemMenuFont.h"

namespace {

constexpr const char* HistoryHeaderLabel = "クリップボード履歴(&C)";
constexpr const char* PhraseHeaderLine = " -よく使う文字(&U)";

bool IsSeparatorLine(std::string_view line) { return line == "---"; }
bool IsColumnBreakLine(std::string_view line) { return line == "-->"; }

// A binding that can have no identifier of its own is never registered and
// never read back as another binding.
void Disarm(HotkeyBinding* binding) {
    if (!binding) return;
    binding->id = -1;
    binding->virtualKey = 0;
    binding->modifiers = 0;
}

void GiveId(HotkeyBinding* binding, std::int32_t id) {
    if (binding && id > 0)
        binding->id = id;
    else
        Disarm(binding);
}

// Removes the entries of menu from position last down to 0, freeing their records.
void DeleteEntriesDownFrom(HMENU menu, int last) {
    for (int position = last; position >= 0; --position) DeleteEntryAndRecord(menu, position);
}

bool StartsSection(std::string_view text) { return text.size() >= 2 && text[0] == ' ' && text[1] == '-'; }

}  // namespace

void PhraseApp::ComposeMenus(bool startUp) {
    ClearPhraseMenus();
    if (!startUp && HistoryMenu && SaveHistory() != SaveOutcome::Saved) unsavedHistory = HistoryTexts();
    ClearHistory();
    ReleaseMenuFont();
    if (!MainMenu()) return;

    // The header is never parsed: its icon stays fixed even when none could be loaded.
    historyHeaderItem.iconHandle = HistoryIcon;
    historyHeaderItem.iconState = 0;
    historyHeaderItem.label = HistoryHeaderLabel;
    DeleteMenu(MainMenu(), HISTORY_MENU_POSITION, MF_BYPOSITION);
    InsertHeader(HISTORY_MENU_POSITION, historyHeaderItem, HistoryMenu);

    DeferredIcons().Parse(phraseHeaderItem, PhraseHeaderLine);
    DeleteMenu(MainMenu(), PHRASE_MENU_POSITION, MF_BYPOSITION);
    InsertHeader(PHRASE_MENU_POSITION, phraseHeaderItem, PhraseMenu);

    // A column break left over from lines added before the rebuild does not
    // reach the fixed separator: the menus look the same after every rebuild.
    pendingColumnBreak = false;
    AppendFixedEntries();
}

void PhraseApp::InsertHeader(int position, PhraseItem& header, HMENU& menu) {
    menu = CreatePopupMenu();
    if (menu && !InsertItemEntry(MainMenu(), position, 0, &header, menu, false)) {
        DestroyMenu(menu);
        menu = nullptr;
    }
}

void PhraseApp::AppendFixedEntries() {
    if (PhraseMenu) {
        InsertSeparator(PhraseMenu, EntryCount(PhraseMenu), pendingColumnBreak);
        AppendMenuA(PhraseMenu, MF_STRING, IDM_ADD_CLIPBOARD,
                    LoadResourceText(instance(), IDS_MENU_ADD_CLIPBOARD).c_str());
        if (nonResident) {
            AppendMenuA(PhraseMenu, MF_STRING | MF_DISABLED, IDM_SETTINGS,
                        LoadResourceText(instance(), IDS_MENU_NON_RESIDENT).c_str());
        } else {
            AppendMenuA(PhraseMenu, MF_STRING, IDM_SETTINGS,
                        LoadResourceText(instance(), IDS_MENU_SETTINGS).c_str());
            SetMenuDefaultItem(PhraseMenu, IDM_SETTINGS, FALSE);
        }
    }
    pendingColumnBreak = false;
}

void PhraseApp::AddLine(std::string_view line, HMENU parent, HotkeyBinding* binding) {
    auto record = std::make_unique<PhraseItem>();
    DeferredIcons().Parse(*record, line);
    const bool isSection = (record->flags & PhraseItem::ItemVerbatim) != 0;
    if (isSection) {
        AddToOpenDialog(*record);
        InsertSection(std::move(record), binding);
        return;
    }
    parent = ParentFor(parent);
    if (!parent) {
        Disarm(binding);
        return;
    }
    const int position = InsertPosition(parent);
    AddToOpenDialog(*record);

    const bool columnBreak = pendingColumnBreak;
    pendingColumnBreak = false;
    if (IsSeparatorLine(line)) {
        Disarm(binding);
        InsertSeparator(parent, position, columnBreak);
        return;
    }
    if (IsColumnBreakLine(line)) {
        Disarm(binding);
        pendingColumnBreak = true;
        return;
    }
    const UINT id = nextCommandId <= LAST_ITEM_COMMAND_ID ? static_cast<UINT>(nextCommandId) : 0;
    if (InsertItemEntry(parent, position, id, record.get(), nullptr, columnBreak)) {
        if (id == 0) {
            const int inserted = position == AppendPosition ? EntryCount(parent) - 1 : position;
            EnableMenuItem(parent, static_cast<UINT>(inserted), MF_BYPOSITION | MF_GRAYED);
        }
        record.release();
        GiveId(binding, static_cast<std::int32_t>(id));
    } else {
        Disarm(binding);
    }
    ++nextCommandId;
}

void PhraseApp::InsertSection(std::unique_ptr<PhraseItem> record, HotkeyBinding* binding) {
    HMENU section = MainMenu() ? CreatePopupMenu() : nullptr;
    if (!section || !InsertItemEntry(MainMenu(), nextSectionPosition, 0, record.get(), section, false)) {
        if (section) DestroyMenu(section);
        Disarm(binding);
        return;
    }
    record.release();
    GiveId(binding, SectionHotkeyId(nextSectionPosition));
    ++nextSectionPosition;
}

HMENU PhraseApp::ParentFor(HMENU parent) const {
    if (parent) return parent;
    HMENU newest = MainMenu() ? GetSubMenu(MainMenu(), nextSectionPosition - 1) : nullptr;
    return newest ? newest : PhraseMenu;
}

int PhraseApp::InsertPosition(HMENU parent) const {
    if (parent != PhraseMenu) return AppendPosition;
    const int count = EntryCount(parent);
    return count > PHRASE_MENU_FIXED_TAIL ? count - PHRASE_MENU_FIXED_TAIL : 0;
}

void PhraseApp::AddToOpenDialog(const PhraseItem& record) const {
    const HWND dialog = settingsDialog ? settingsDialog->hwnd() : nullptr;
    const HWND list = dialog ? GetDlgItem(dialog, IDC_ITEM_LIST) : nullptr;
    if (!list) return;
    LRESULT index = -1;
    if (!(record.flags & PhraseItem::ItemVerbatim)) {
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count && index < 0; ++i) {
            const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
            if (length < 2) continue;
            std::string text(static_cast<std::size_t>(length) + 1, '\0');
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
            if (StartsSection(text)) index = i;
        }
    }
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(record.content.c_str()));
    const LRESULT selection = SendMessageA(list, LB_GETCURSEL, 0, 0);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    EnableWindow(GetDlgItem(dialog, IDC_MOVE_UP_BUTTON), selection != LB_ERR && selection > 0);
    EnableWindow(GetDlgItem(dialog, IDC_MOVE_DOWN_BUTTON), selection != LB_ERR && selection < count - 1);
}

void PhraseApp::ClearPhraseMenus() {
    if (PhraseMenu) DeleteEntriesDownFrom(PhraseMenu, EntryCount(PhraseMenu) - PHRASE_MENU_FIXED_TAIL - 1);
    if (MainMenu()) {
        for (int position = EntryCount(MainMenu()) - MAIN_MENU_FIXED_TAIL - 1;
             position >= FIRST_SECTION_POSITION; --position) {
            // Every entry goes before its record, so that no menu ever refers to a freed one.
            MenuEntry entry;
            if (ReadEntry(MainMenu(), position, entry) && entry.popup)
                DeleteEntriesDownFrom(entry.popup, EntryCount(entry.popup) - 1);
            DeleteEntryAndRecord(MainMenu(), position);
        }
    }
    nextCommandId = FIRST_ITEM_COMMAND_ID;
    nextSectionPosition = FIRST_SECTION_POSITION;
}

PhraseApp::BindingIndex PhraseApp::IndexBindings() const {
    BindingIndex index;
    for (const HotkeyBinding* b = hotkeys.head(); b; b = b->next.get()) index.emplace(b->id, b);
    return index;
}

std::vector<CollectedLine> PhraseApp::CollectLines() const {
    std::vector<CollectedLine> lines;
    if (!MainMenu()) return lines;
    const BindingIndex bindings = IndexBindings();
    const int lastSection = EntryCount(MainMenu()) - MAIN_MENU_FIXED_TAIL - 1;
    for (int position = PHRASE_MENU_POSITION; position <= lastSection; ++position) {
        MenuEntry entry;
        if (!ReadEntry(MainMenu(), position, entry) || !entry.popup) continue;
        if (position == PHRASE_MENU_POSITION) {
            CollectMenu(entry.popup, PHRASE_MENU_FIXED_TAIL, bindings, lines);
            continue;
        }
        if (entry.record) {
            const auto found = bindings.find(SectionHotkeyId(position));
            const bool hasId = SectionHotkeyId(position) != 0 && found != bindings.end();
            lines.push_back({entry.record->content, hasId ? found->second : nullptr});
        }
        CollectMenu(entry.popup, 0, bindings, lines);
    }
    return lines;
}

void PhraseApp::CollectMenu(HMENU menu, int skipTail, const BindingIndex& bindings,
                            std::vector<CollectedLine>& lines) const {
    const int end = EntryCount(menu) - skipTail;
    for (int position = 0; position < end; ++position) {
        MenuEntry entry;
        if (!ReadEntry(menu, position, entry)) continue;
        if (entry.BeginsColumn()) lines.push_back({"-->", nullptr});
        if (entry.IsSeparator()) {
            lines.push_back({"---", nullptr});
        } else if (entry.IsOwnerDrawn() && entry.record && entry.id >= FIRST_ITEM_COMMAND_ID &&
                   entry.id <= LAST_SAVED_ITEM_ID) {
            const auto found = bindings.find(static_cast<std::int32_t>(entry.id));
            lines.push_back({entry.record->content, found != bindings.end() ? found->second : nullptr});
        }
    }
}

HFONT PhraseApp::MenuFont() {
    if (!menuFont) menuFont = CreateSystemMenuFont();
    return menuFont.get();
}

void PhraseApp::ReleaseMenuFont() { menuFont.reset(); }

PhraseItem* PhraseApp::ItemForCommand(UINT commandId) const {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!MainMenu() || !GetMenuItemInfoA(MainMenu(), commandId, FALSE, &info) ||
        !(info.fType & MFT_OWNERDRAW))
        return nullptr;
    return reinterpret_cast<PhraseItem*>(info.dwItemData);
}

bool PhraseApp::MeasureMenuEntry(MEASUREITEMSTRUCT& measure) {
    auto* item = reinterpret_cast<PhraseItem*>(measure.itemData);
    if (measure.CtlType != ODT_MENU || !item) return false;
    const HDC dc = GetWindowDC(nullptr);
    SIZE size{};
    MeasureEntry(*item, dc, MenuFont(), &size);
    ReleaseDC(nullptr, dc);
    measure.itemWidth = static_cast<UINT>(size.cx > 0 ? size.cx : 0);
    measure.itemHeight = static_cast<UINT>(size.cy > 0 ? size.cy : 0);
    return true;
}

bool PhraseApp::DrawMenuEntry(const DRAWITEMSTRUCT& draw) {
    auto* item = reinterpret_cast<PhraseItem*>(draw.itemData);
    if (draw.CtlType != ODT_MENU || !item) return false;
    return DrawEntry(*item, draw.hDC, MenuFont(), &draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
}
