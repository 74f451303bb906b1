#pragma once
// The phrase list in the menus, its only in-memory form: the phrase menu and
// one section menu per section line inside the main menu (menu 102), the
// owner-drawn headers of the history and phrase menus, the builder's state,
// and the measuring and painting of every entry.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/HotkeyList.h"
#include "data/PhraseItem.h"
#include "menus/GdiHandles.h"

// One list line read back from the menus, with the binding that goes beside
// it into "hkey.dat" (null for none).
struct CollectedLine {
    std::string line;
    const HotkeyBinding* binding = nullptr;
};

class PhraseMenus {
  public:
    PhraseMenus() = default;
    PhraseMenus(const PhraseMenus&) = delete;
    PhraseMenus& operator=(const PhraseMenus&) = delete;

    HMENU main() const { return main_; }
    HMENU phrases() const { return phrases_; }
    HMENU history() const { return history_; }

    // Puts the owner-drawn headers of the history and phrase menus into main,
    // each with a new empty popup. The headers' records belong to this object
    // and stay valid while the menus hold them.
    void ComposeHeaders(HMENU main);
    // "文字追加 (&I)" and "編集・設定(&C)..." (or, non-resident, the greyed mode name) after the phrases.
    void AppendFixedEntries(HINSTANCE instance, bool nonResident);
    // parent null: the newest section menu, or the phrase menu while there is none.
    // binding: a binding of the HotkeyList or null; AddLine gives it its identifier.
    void AddLine(std::string_view line, HMENU parent, HotkeyBinding* binding);
    // A column break that no entry followed is lost, as it is when saving.
    void EndList() { pendingColumnBreak_ = false; }
    // Every phrase and section entry goes, before its record.
    void Clear();
    std::vector<CollectedLine> CollectLines(const HotkeyList& hotkeys) const;
    // The record of the entry with this command identifier in any menu, or null.
    PhraseItem* ItemForCommand(UINT commandId) const;

    // WM_MEASUREITEM and WM_DRAWITEM of menu entries; false when the entry is
    // not one of ours (no record).
    bool Measure(MEASUREITEMSTRUCT& measure);
    bool Draw(const DRAWITEMSTRUCT& draw);
    // The font follows the system's: it is made again at the next measure,
    // and every entry is measured again in it.
    void ReleaseFont() { font_.reset(); }

    // Told of every line added, so that an open settings dialog lists it too.
    void OnLineAdded(std::function<void(const PhraseItem&)> listener) { lineAdded_ = std::move(listener); }

  private:
    using BindingIndex = std::unordered_map<std::int32_t, const HotkeyBinding*>;
    void InsertHeader(int position, PhraseItem& header, HMENU& menu);
    void InsertSection(std::unique_ptr<PhraseItem> record, HotkeyBinding* binding);
    HMENU ParentFor(HMENU parent) const;
    int InsertPosition(HMENU parent) const;
    void CollectMenu(HMENU menu, int skipTail, const BindingIndex& bindings,
                     std::vector<CollectedLine>& lines) const;
    HFONT Font();

    HMENU main_ = nullptr;
    HMENU phrases_ = nullptr;
    HMENU history_ = nullptr;
    int nextSectionPosition_ = 2;
    int nextCommandId_ = 120;
    bool pendingColumnBreak_ = false;
    PhraseItem historyHeader_;
    PhraseItem phraseHeader_;
    UniqueFont font_;
    std::uint32_t fontGeneration_ = 0;  // of the font: entries measured for another one are measured again
    UniqueMemoryDc measuringDc_;
    std::function<void(const PhraseItem&)> lineAdded_;
};
