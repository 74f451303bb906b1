#pragma once
// The clipboard history: the entries of a popup menu, oldest at the top, each
// showing its record. The menu is the only store of the texts; an entry's
// command identifier is 35000 + its position. Kept across restarts and
// rebuilds in "clip.dat" (the Shift-JIS form of every entry) and "clipw.dat"
// (the exact texts of those that Shift-JIS cannot hold).
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/FileStore.h"
#include "data/HistoryCompanion.h"
#include "menus/SaveOutcome.h"

struct HistoryPaths {
    std::filesystem::path clip;       // "clip.dat"
    std::filesystem::path companion;  // "clipw.dat"
};

// What a load found, for its caller to tell: a file that could not be read is
// kept as it is, and neither file is written until both can be read.
struct HistoryLoad {
    FileContents clip;       // the status and problem; no bytes
    FileContents companion;  // the same
    bool cutShort = false;   // "clip.dat" of ours cut short: what it held whole was read
};

class ClipHistory {
  public:
    // limit: the number of entries kept (historyLimit), read at every addition.
    explicit ClipHistory(const std::int32_t& limit) : limit_(limit) {}
    ClipHistory(const ClipHistory&) = delete;
    ClipHistory& operator=(const ClipHistory&) = delete;

    // The popup that holds the entries; null while there is none.
    void Attach(HMENU menu) { menu_ = menu; }
    HMENU menu() const { return menu_; }

    // A text at the bottom; one there already (the same exact text) moves
    // down; the oldest go past the limit. While the menu is held still (it is
    // shown), texts wait until it is let go: Enter must paste the entry that
    // is highlighted.
    void Add(HistoryEntry entry);
    void Add(std::string_view shiftJis) { Add(HistoryEntry{std::string(shiftJis), std::nullopt}); }
    void HoldStill(bool held);
    bool HasWaiting() const { return !waiting_.empty(); }
    void Trim();
    void Clear();
    std::vector<HistoryEntry> Entries() const;

    // Files that could not be read are not written over: they are read again
    // first, and once they can be, their entries go before this session's.
    SaveOutcome Save(const HistoryPaths& paths);
    // Before a rebuild empties the menu: saved, or kept for the next Load.
    void KeepForRebuild(const HistoryPaths& paths);
    // Fills the empty menu from the files, then with what a rebuild kept.
    HistoryLoad Load(const HistoryPaths& paths);

  private:
    HistoryLoad ReadFiles(const HistoryPaths& paths, std::vector<HistoryEntry>& entries) const;
    bool MergeFiles(const HistoryPaths& paths);
    void AddEntries(const std::vector<HistoryEntry>& entries);
    int Limit() const;

    const std::int32_t& limit_;
    HMENU menu_ = nullptr;
    bool writable_ = true;
    bool held_ = false;
    std::vector<HistoryEntry> waiting_;
    std::optional<std::vector<HistoryEntry>> unsaved_;
};
