// The clipboard history: the entries of HistoryMenu, oldest at the top, kept
// across restarts and rebuilds in "clip.dat".
#include "app/PhraseApp.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "data/FileStore.h"
#include "data/HistoryFile.h"
#include "menus/MenuEntries.h"
#include "menus/MenuIds.h"
#include "ResourceText.h"
#include "resource.h"

namespace {

// The limit the identifiers allow: history entries must stay below the fixed commands.
int EffectiveLimit(std::int32_t historyLimit) {
    return std::clamp<std::int32_t>(historyLimit, 0, HISTORY_ENTRY_LIMIT);
}

int FindEntry(HMENU menu, std::string_view text) {
    const int count = EntryCount(menu);
    for (int position = 0; position < count; ++position) {
        MenuEntry entry;
        if (ReadEntry(menu, position, entry) && entry.record && entry.record->content == text)
            return position;
    }
    return -1;
}

}  // namespace

void PhraseApp::AddHistoryEntry(std::string_view text) {
    if (!HistoryMenu) return;
    const int bottom = EntryCount(HistoryMenu);
    const int found = FindEntry(HistoryMenu, text);
    if (found >= 0) {
        MenuEntry entry;
        ReadEntry(HistoryMenu, found, entry);
        RemoveMenu(HistoryMenu, static_cast<UINT>(found), MF_BYPOSITION);
        if (!InsertItemEntry(HistoryMenu, bottom - 1, entry.id, entry.record, nullptr, false))
            delete entry.record;
    } else {
        auto record = std::make_unique<PhraseItem>();
        record->Parse(text, true);
        const UINT id = static_cast<UINT>(FIRST_HISTORY_COMMAND_ID + bottom);
        if (InsertItemEntry(HistoryMenu, bottom, id, record.get(), nullptr, false)) record.release();
    }
    TrimHistory();
}

void PhraseApp::TrimHistory() {
    if (!HistoryMenu) return;
    const int limit = EffectiveLimit(options.historyLimit);
    int count = EntryCount(HistoryMenu);
    // Many entries at once (a lowered limit) go oldest first.
    for (; count > limit; --count) DeleteEntryAndRecord(HistoryMenu, 0);
    for (int position = 0; position < count; ++position) {
        MenuEntry entry;
        const UINT id = static_cast<UINT>(FIRST_HISTORY_COMMAND_ID + position);
        if (ReadEntry(HistoryMenu, position, entry) && entry.id != id) SetEntryId(HistoryMenu, position, id);
    }
}

void PhraseApp::ClearHistory() {
    if (!HistoryMenu) return;
    for (int position = EntryCount(HistoryMenu) - 1; position >= 0; --position)
        DeleteEntryAndRecord(HistoryMenu, position);
}

std::vector<std::string> PhraseApp::HistoryTexts() const {
    std::vector<std::string> texts;
    const int count = EntryCount(HistoryMenu);
    texts.reserve(static_cast<std::size_t>(count));
    for (int position = 0; position < count; ++position) {
        MenuEntry entry;
        if (ReadEntry(HistoryMenu, position, entry) && entry.record)
            texts.push_back(entry.record->OutputText());
    }
    return texts;
}

SaveOutcome PhraseApp::SaveHistory() {
    if (!HistoryMenu || (!historyWritable && !MergeHistoryFile())) return SaveOutcome::Refused;
    return WriteWholeFile(files.history, EncodeHistory(HistoryTexts())) ? SaveOutcome::Saved
                                                                        : SaveOutcome::Failed;
}

void PhraseApp::AddHistoryTexts(const std::vector<std::string>& texts) {
    if (EntryCount(HistoryMenu) > 0) {
        for (const std::string& text : texts) AddHistoryEntry(text);
        return;
    }
    // Into an empty menu, adding one text after the other leaves each text
    // once, where it was last added, and only the newest within the limit:
    // that is built directly, without searching the menu for every text.
    std::unordered_map<std::string_view, std::size_t> last;
    for (std::size_t i = 0; i < texts.size(); ++i) last[texts[i]] = i;
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (last[texts[i]] == i) kept.push_back(i);
    const std::size_t limit = static_cast<std::size_t>(EffectiveLimit(options.historyLimit));
    const std::size_t first = kept.size() > limit ? kept.size() - limit : 0;
    for (std::size_t k = first; k < kept.size(); ++k) {
        auto record = std::make_unique<PhraseItem>();
        record->Parse(texts[kept[k]], true);
        const int position = EntryCount(HistoryMenu);
        if (InsertItemEntry(HistoryMenu, position, static_cast<UINT>(FIRST_HISTORY_COMMAND_ID + position),
                            record.get(), nullptr, false))
            record.release();
    }
    TrimHistory();
}

bool PhraseApp::ReadHistoryFile(std::vector<std::string>& texts, bool tell) {
    FileContents file = ReadWholeFile(files.history);
    const HistoryFileKind kind =
        file.status == FileStatus::Loaded ? ClassifyHistoryFile(file.bytes) : HistoryFileKind::Empty;
    if (kind == HistoryFileKind::Foreign) file = {FileStatus::Unreadable, ReadProblem::Damaged};
    if (file.status == FileStatus::Unreadable) {
        if (tell)
            readProblems.push_back(ReadProblemText(historyPath, file.problem) + "\n" +
                                   LoadResourceText(instance(), IDS_HISTORY_KEPT));
        return false;
    }
    // A file of ours cut short (a full disk, a crash) gives what it holds whole.
    if (kind == HistoryFileKind::CutShort && tell)
        readProblems.push_back(FilledText(IDS_HISTORY_CUT_SHORT, historyPath));
    texts = DecodeHistory(file.bytes);
    return true;
}

void PhraseApp::LoadHistory() {
    if (!HistoryMenu) return;
    KeepLeftovers(files.history);
    std::vector<std::string> texts;
    historyWritable = ReadHistoryFile(texts, true);
    // What a rebuild could not save is newer than what the file holds.
    if (unsavedHistory) {
        texts.insert(texts.end(), unsavedHistory->begin(), unsavedHistory->end());
        unsavedHistory.reset();
    }
    AddHistoryTexts(texts);
}

bool PhraseApp::MergeHistoryFile() {
    std::vector<std::string> texts;
    if (menuOpen || !ReadHistoryFile(texts, false)) return false;
    const std::vector<std::string> session = HistoryTexts();
    texts.insert(texts.end(), session.begin(), session.end());
    ClearHistory();
    AddHistoryTexts(texts);
    historyWritable = true;
    return true;
}
