#include "menus/ClipHistory.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <utility>

#include "data/HistoryFile.h"
#include "data/PhraseItem.h"
#include "menus/MenuEntries.h"
#include "menus/MenuIds.h"

namespace {

int FindEntry(HMENU menu, std::string_view text) {
    const int count = EntryCount(menu);
    for (int position = 0; position < count; ++position) {
        MenuEntry entry;
        if (ReadEntry(menu, position, entry) && entry.record && entry.record->content == text)
            return position;
    }
    return -1;
}

bool AppendEntry(HMENU menu, std::string_view text) {
    auto record = std::make_unique<PhraseItem>();
    record->Parse(text, true);
    const int position = EntryCount(menu);
    const auto id = static_cast<UINT>(FIRST_HISTORY_COMMAND_ID + position);
    if (!InsertItemEntry(menu, position, id, record.get(), nullptr, false)) return false;
    record.release();
    return true;
}

}  // namespace

// The limit the identifiers allow: history entries must stay below the fixed commands.
int ClipHistory::Limit() const { return std::clamp<std::int32_t>(limit_, 0, HISTORY_ENTRY_LIMIT); }

void ClipHistory::Add(std::string_view text) {
    if (held_) {
        waiting_.emplace_back(text);
        return;
    }
    if (!menu_) return;
    const int found = FindEntry(menu_, text);
    if (found >= 0) {
        MenuEntry entry;
        ReadEntry(menu_, found, entry);
        RemoveMenu(menu_, static_cast<UINT>(found), MF_BYPOSITION);
        if (!InsertItemEntry(menu_, EntryCount(menu_), entry.id, entry.record, nullptr, false))
            delete entry.record;
    } else {
        AppendEntry(menu_, text);
    }
    Trim();
}

void ClipHistory::HoldStill(bool held) {
    held_ = held;
    if (held_) return;
    for (const std::string& text : std::exchange(waiting_, {})) Add(text);
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

std::vector<std::string> ClipHistory::Texts() const {
    std::vector<std::string> texts;
    const int count = EntryCount(menu_);
    texts.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int position = 0; position < count; ++position) {
        MenuEntry entry;
        if (ReadEntry(menu_, position, entry) && entry.record) texts.push_back(entry.record->OutputText());
    }
    return texts;
}

// Into an empty menu, adding one text after the other leaves each text once,
// where it was last added, and only the newest within the limit: that is
// built directly, without searching the menu for every text.
void ClipHistory::AddTexts(const std::vector<std::string>& texts) {
    if (EntryCount(menu_) > 0) {
        for (const std::string& text : texts) Add(text);
        return;
    }
    std::unordered_map<std::string_view, std::size_t> last;
    for (std::size_t i = 0; i < texts.size(); ++i) last[texts[i]] = i;
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (last[texts[i]] == i) kept.push_back(i);
    const auto limit = static_cast<std::size_t>(Limit());
    const std::size_t first = kept.size() > limit ? kept.size() - limit : 0;
    for (std::size_t k = first; k < kept.size(); ++k) AppendEntry(menu_, texts[kept[k]]);
    Trim();
}

SaveOutcome ClipHistory::Save(const std::filesystem::path& path) {
    if (!menu_ || (!writable_ && !MergeFile(path))) return SaveOutcome::Refused;
    return WriteWholeFile(path, EncodeHistory(Texts())) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

void ClipHistory::KeepForRebuild(const std::filesystem::path& path) {
    if (menu_ && Save(path) != SaveOutcome::Saved) unsaved_ = Texts();
}

HistoryLoad ClipHistory::ReadFile(const std::filesystem::path& path, std::vector<std::string>& texts) const {
    const FileContents file = ReadWholeFile(path);
    const HistoryFileKind kind =
        file.status == FileStatus::Loaded ? ClassifyHistoryFile(file.bytes) : HistoryFileKind::Empty;
    if (kind == HistoryFileKind::Foreign) return {FileStatus::Unreadable, ReadProblem::Damaged};
    // A file of ours cut short (a full disk, a crash) gives what it holds whole.
    if (file.status != FileStatus::Unreadable) texts = DecodeHistory(file.bytes);
    return {file.status, file.problem, kind == HistoryFileKind::CutShort};
}

HistoryLoad ClipHistory::Load(const std::filesystem::path& path) {
    std::vector<std::string> texts;
    const HistoryLoad load = ReadFile(path, texts);
    writable_ = load.status != FileStatus::Unreadable;
    // What a rebuild could not save is newer than what the file holds.
    if (unsaved_) texts.insert(texts.end(), unsaved_->begin(), unsaved_->end());
    unsaved_.reset();
    if (menu_) AddTexts(texts);
    return load;
}

// The menu must not change while it is shown.
bool ClipHistory::MergeFile(const std::filesystem::path& path) {
    std::vector<std::string> texts;
    if (held_ || ReadFile(path, texts).status == FileStatus::Unreadable) return false;
    const std::vector<std::string> session = Texts();
    texts.insert(texts.end(), session.begin(), session.end());
    Clear();
    AddTexts(texts);
    writable_ = true;
    return true;
}
