#include "menus/ClipHistory.h"

#include <algorithm>
#include <memory>
#include <map>
#include <utility>

#include "data/HistoryFile.h"
#include "data/PhraseItem.h"
#include "menus/MenuEntries.h"
#include "menus/MenuIds.h"

namespace {

int FindEntry(HMENU menu, const HistoryEntry& wanted) {
    const int count = EntryCount(menu);
    for (int position = 0; position < count; ++position) {
        MenuEntry entry;
        if (ReadEntry(menu, position, entry) && entry.record &&
            entry.record->SameText(wanted.shiftJis, wanted.exact ? &*wanted.exact : nullptr))
            return position;
    }
    return -1;
}

bool AppendEntry(HMENU menu, const HistoryEntry& entry) {
    auto record = std::make_unique<PhraseItem>();
    record->Parse(entry.shiftJis, true);
    if (entry.exact) record->SetExactText(*entry.exact);
    const int position = EntryCount(menu);
    const auto id = static_cast<UINT>(FIRST_HISTORY_COMMAND_ID + position);
    if (!InsertItemEntry(menu, position, id, record.get(), nullptr, false)) return false;
    record.release();
    return true;
}

}  // namespace

// The limit the identifiers allow: history entries must stay below the fixed commands.
int ClipHistory::Limit() const { return std::clamp<std::int32_t>(limit_, 0, HISTORY_ENTRY_LIMIT); }

void ClipHistory::Add(HistoryEntry added) {
    if (held_) {
        waiting_.push_back(std::move(added));
        return;
    }
    if (!menu_) return;
    const int found = FindEntry(menu_, added);
    if (found >= 0) {
        MenuEntry entry;
        ReadEntry(menu_, found, entry);
        RemoveMenu(menu_, static_cast<UINT>(found), MF_BYPOSITION);
        if (!InsertItemEntry(menu_, EntryCount(menu_), entry.id, entry.record, nullptr, false))
            delete entry.record;
    } else {
        AppendEntry(menu_, added);
    }
    Trim();
}

void ClipHistory::HoldStill(bool held) {
    held_ = held;
    if (held_) return;
    for (HistoryEntry& entry : std::exchange(waiting_, {})) Add(std::move(entry));
}

void ClipHistory::Trim() {
    if (!menu_) return;
    const int limit = Limit();
    int count = EntryCount(menu_);
    // Many entries at once (a lowered limit) go oldest first.
    for (; count > limit; --count) DeleteEntryAndRecord(menu_, 0);
    for (int position = 0; position < count; ++position) {
        MenuEntry entry;
        const auto id = static_cast<UINT>(FIRST_HISTORY_COMMAND_ID + position);
        if (ReadEntry(menu_, position, entry) && entry.id != id) SetEntryId(menu_, position, id);
    }
}

void ClipHistory::Clear() {
    if (!menu_) return;
    for (int position = EntryCount(menu_) - 1; position >= 0; --position)
        DeleteEntryAndRecord(menu_, position);
}

std::vector<HistoryEntry> ClipHistory::Entries() const {
    std::vector<HistoryEntry> entries;
    const int count = EntryCount(menu_);
    entries.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int position = 0; position < count; ++position) {
        MenuEntry entry;
        if (!ReadEntry(menu_, position, entry) || !entry.record) continue;
        entries.push_back({entry.record->OutputText(), std::nullopt});
        if (entry.record->exact) entries.back().exact = entry.record->exact->text;
    }
    return entries;
}

// Into an empty menu, adding one entry after the other leaves each text once,
// where it was last added, and only the newest within the limit: that is
// built directly, without searching the menu for every text.
void ClipHistory::AddEntries(const std::vector<HistoryEntry>& entries) {
    if (EntryCount(menu_) > 0) {
        for (const HistoryEntry& entry : entries) Add(entry);
        return;
    }
    std::map<std::pair<std::string_view, std::u16string_view>, std::size_t> last;
    const auto key = [&](std::size_t i) {
        return std::pair{std::string_view(entries[i].shiftJis),
                         entries[i].exact ? std::u16string_view(*entries[i].exact) : std::u16string_view()};
    };
    for (std::size_t i = 0; i < entries.size(); ++i) last[key(i)] = i;
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (last[key(i)] == i) kept.push_back(i);
    const auto limit = static_cast<std::size_t>(Limit());
    const std::size_t first = kept.size() > limit ? kept.size() - limit : 0;
    for (std::size_t k = first; k < kept.size(); ++k) AppendEntry(menu_, entries[kept[k]]);
    Trim();
}

SaveOutcome ClipHistory::Save(const HistoryPaths& paths) {
    if (!menu_ || (!writable_ && !MergeFiles(paths))) return SaveOutcome::Refused;
    const EncodedHistoryFiles files = EncodeHistoryFiles(Entries());
    return WriteFilePair(paths.clip, files.clipBytes, paths.companion, files.companionBytes)
               ? SaveOutcome::Saved
               : SaveOutcome::Failed;
}

void ClipHistory::KeepForRebuild(const HistoryPaths& paths) {
    if (menu_ && Save(paths) != SaveOutcome::Saved) unsaved_ = Entries();
}

HistoryLoad ClipHistory::ReadFiles(const HistoryPaths& paths, std::vector<HistoryEntry>& entries) const {
    HistoryLoad load{ReadWholeFile(paths.clip), ReadWholeFile(paths.companion)};
    const HistoryFileKind kind = load.clip.status == FileStatus::Loaded ? ClassifyHistoryFile(load.clip.bytes)
                                                                        : HistoryFileKind::Empty;
    if (kind == HistoryFileKind::Foreign) load.clip = {FileStatus::Unreadable, ReadProblem::Damaged};
    // A file of ours cut short (a full disk, a crash) gives what it holds whole.
    load.cutShort = kind == HistoryFileKind::CutShort;
    if (load.clip.status != FileStatus::Unreadable && load.companion.status != FileStatus::Unreadable)
        entries = DecodeHistoryFiles(load.clip.bytes, load.companion.bytes).entries;
    load.clip.bytes.clear();
    load.companion.bytes.clear();
    return load;
}

HistoryLoad ClipHistory::Load(const HistoryPaths& paths) {
    std::vector<HistoryEntry> entries;
    HistoryLoad load = ReadFiles(paths, entries);
    writable_ = load.clip.status != FileStatus::Unreadable && load.companion.status != FileStatus::Unreadable;
    // What a rebuild could not save is newer than what the files hold.
    if (unsaved_) entries.insert(entries.end(), unsaved_->begin(), unsaved_->end());
    unsaved_.reset();
    if (menu_) AddEntries(entries);
    return load;
}

// The menu must not change while it is shown.
bool ClipHistory::MergeFiles(const HistoryPaths& paths) {
    std::vector<HistoryEntry> entries;
    const HistoryLoad load = ReadFiles(paths, entries);
    if (held_ || load.clip.status == FileStatus::Unreadable ||
        load.companion.status == FileStatus::Unreadable)
        return false;
    const std::vector<HistoryEntry> session = Entries();
    entries.insert(entries.end(), session.begin(), session.end());
    Clear();
    AddEntries(entries);
    writable_ = true;
    return true;
}
