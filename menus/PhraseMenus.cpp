#include "menus/PhraseMenus.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "menus/DeferredIcons.h"
#include "menus/MenuEntries.h"
#include "menus/MenuIds.h"
#include "menus/OwnerDraw.h"
#include "ResourceText.h"
#include "menus/SystemMenuFont.h"
#include "resource.h"

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

}  // namespace

void PhraseMenus::ComposeHeaders(HMENU main) {
    main_ = main;
    if (!main_) return;
    // The header is never parsed: its icon stays fixed even when none could be loaded.
    historyHeader_.iconHandle = HistoryIcon;
    historyHeader_.iconState = 0;
    historyHeader_.label = HistoryHeaderLabel;
    historyHeader_.measured.fontGeneration = 0;
    DeleteMenu(main_, HISTORY_MENU_POSITION, MF_BYPOSITION);
    InsertHeader(HISTORY_MENU_POSITION, historyHeader_, history_);

    DeferredIcons().Parse(phraseHeader_, PhraseHeaderLine);
    DeleteMenu(main_, PHRASE_MENU_POSITION, MF_BYPOSITION);
    InsertHeader(PHRASE_MENU_POSITION, phraseHeader_, phrases_);
    // A column break left over from lines added before the rebuild does not
    // reach the fixed separator: the menus look the same after every rebuild.
    pendingColumnBreak_ = false;
}

void PhraseMenus::InsertHeader(int position, PhraseItem& header, HMENU& menu) {
    menu = CreatePopupMenu();
    if (menu && !InsertItemEntry(main_, position, 0, &header, menu, false)) {
        DestroyMenu(menu);
        menu = nullptr;
    }
}

void PhraseMenus::AppendFixedEntries(HINSTANCE instance, bool nonResident) {
    if (phrases_) {
        InsertSeparator(phrases_, EntryCount(phrases_), pendingColumnBreak_);
        AppendMenuA(phrases_, MF_STRING, IDM_ADD_CLIPBOARD,
                    LoadResourceText(instance, IDS_MENU_ADD_CLIPBOARD).c_str());
        if (nonResident) {
            AppendMenuA(phrases_, MF_STRING | MF_DISABLED, IDM_SETTINGS,
                        LoadResourceText(instance, IDS_MENU_NON_RESIDENT).c_str());
        } else {
            AppendMenuA(phrases_, MF_STRING, IDM_SETTINGS,
                        LoadResourceText(instance, IDS_MENU_SETTINGS).c_str());
            SetMenuDefaultItem(phrases_, IDM_SETTINGS, FALSE);
        }
    }
    pendingColumnBreak_ = false;
}

void PhraseMenus::AddLine(std::string_view line, HMENU parent, HotkeyBinding* binding) {
    auto record = std::make_unique<PhraseItem>();
    DeferredIcons().Parse(*record, line);
    const bool isSection = (record->flags & PhraseItem::ItemVerbatim) != 0;
    if (isSection) {
        if (lineAdded_) lineAdded_(*record);
        InsertSection(std::move(record), binding);
        return;
    }
    parent = ParentFor(parent);
    if (!parent) {
        Disarm(binding);
        return;
    }
    const int position = InsertPosition(parent);
    if (lineAdded_) lineAdded_(*record);

    const bool columnBreak = pendingColumnBreak_;
    pendingColumnBreak_ = false;
    if (IsSeparatorLine(line)) {
        Disarm(binding);
        InsertSeparator(parent, position, columnBreak);
        return;
    }
    if (IsColumnBreakLine(line)) {
        Disarm(binding);
        pendingColumnBreak_ = true;
        return;
    }
    const UINT id = nextCommandId_ <= LAST_ITEM_COMMAND_ID ? static_cast<UINT>(nextCommandId_) : 0;
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
    ++nextCommandId_;
}

void PhraseMenus::InsertSection(std::unique_ptr<PhraseItem> record, HotkeyBinding* binding) {
    HMENU section = main_ ? CreatePopupMenu() : nullptr;
    if (!section || !InsertItemEntry(main_, nextSectionPosition_, 0, record.get(), section, false)) {
        if (section) DestroyMenu(section);
        Disarm(binding);
        return;
    }
    record.release();
    GiveId(binding, SectionHotkeyId(nextSectionPosition_));
    ++nextSectionPosition_;
}

HMENU PhraseMenus::ParentFor(HMENU parent) const {
    if (parent) return parent;
    HMENU newest = main_ ? GetSubMenu(main_, nextSectionPosition_ - 1) : nullptr;
    return newest ? newest : phrases_;
}

int PhraseMenus::InsertPosition(HMENU parent) const {
    if (parent != phrases_) return AppendPosition;
    const int count = EntryCount(parent);
    return count > PHRASE_MENU_FIXED_TAIL ? count - PHRASE_MENU_FIXED_TAIL : 0;
}

void PhraseMenus::Clear() {
    if (phrases_) DeleteEntriesDownFrom(phrases_, EntryCount(phrases_) - PHRASE_MENU_FIXED_TAIL - 1);
    if (main_) {
        for (int position = EntryCount(main_) - MAIN_MENU_FIXED_TAIL - 1; position >= FIRST_SECTION_POSITION;
             --position) {
            // Every entry goes before its record, so that no menu ever refers
            // to a freed one: a section menu goes whole, then its records.
            MenuEntry section;
            std::vector<std::unique_ptr<PhraseItem>> records;
            const HMENU popup = ReadEntry(main_, position, section) ? section.popup : nullptr;
            const int count = popup ? EntryCount(popup) : 0;
            for (int item = 0; item < count; ++item) {
                MenuEntry entry;
                if (ReadEntry(popup, item, entry) && entry.IsOwnerDrawn()) records.emplace_back(entry.record);
            }
            DeleteEntryAndRecord(main_, position);
        }
    }
    nextCommandId_ = FIRST_ITEM_COMMAND_ID;
    nextSectionPosition_ = FIRST_SECTION_POSITION;
}

std::vector<CollectedLine> PhraseMenus::CollectLines(const HotkeyList& hotkeys) const {
    std::vector<CollectedLine> lines;
    if (!main_) return lines;
    // The first binding of each identifier, as a walk from the head finds it.
    BindingIndex bindings;
    for (const HotkeyBinding* b = hotkeys.head(); b; b = b->next.get()) bindings.emplace(b->id, b);
    const int lastSection = EntryCount(main_) - MAIN_MENU_FIXED_TAIL - 1;
    for (int position = PHRASE_MENU_POSITION; position <= lastSection; ++position) {
        MenuEntry entry;
        if (!ReadEntry(main_, position, entry) || !entry.popup) continue;
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

void PhraseMenus::CollectMenu(HMENU menu, int skipTail, const BindingIndex& bindings,
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

HFONT PhraseMenus::Font() {
    if (!font_) {
        font_ = CreateSystemMenuFont();
        ++fontGeneration_;
    }
    return font_.get();
}

PhraseItem* PhraseMenus::ItemForCommand(UINT commandId) const {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!main_ || !GetMenuItemInfoA(main_, commandId, FALSE, &info) || !(info.fType & MFT_OWNERDRAW))
        return nullptr;
    return reinterpret_cast<PhraseItem*>(info.dwItemData);
}

// An entry is measured once for each font the menus make: a menu asks at
// every showing, and a long list would be measured all over again each time.
bool PhraseMenus::Measure(MEASUREITEMSTRUCT& measure) {
    auto* item = reinterpret_cast<PhraseItem*>(measure.itemData);
    if (measure.CtlType != ODT_MENU || !item) return false;
    const HFONT font = Font();
    if (item->measured.fontGeneration != fontGeneration_) {
        if (!measuringDc_) measuringDc_.reset(CreateCompatibleDC(nullptr));  // the screen's resolution
        SIZE size{};
        MeasureEntry(*item, measuringDc_.get(), font, &size);
        item->measured = {fontGeneration_, std::max<LONG>(size.cx, 0), std::max<LONG>(size.cy, 0), iconSize};
    }
    iconSize = item->measured.iconSize;
    measure.itemWidth = static_cast<UINT>(item->measured.width);
    measure.itemHeight = static_cast<UINT>(item->measured.height);
    return true;
}

bool PhraseMenus::Draw(const DRAWITEMSTRUCT& draw) {
    auto* item = reinterpret_cast<PhraseItem*>(draw.itemData);
    if (draw.CtlType != ODT_MENU || !item) return false;
    return DrawEntry(*item, draw.hDC, Font(), &draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
}
