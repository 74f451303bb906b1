#pragma once
// The clipboard history: the entries of a popup menu, oldest at the top, each
// showing its record. The menu is the only store of the texts; an entry's
// command identifier is 35000 + its position. Kept across restarts and
// rebuilds in "clip.dat".
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/FileStore.h"
#include "menus/SaveOutcome.h"

// What a load found, for its caller to tell.
struct HistoryLoad {
    FileStatus status = FileStatus::Missing;  // Unreadable: nothing read, and the file is kept as it is
    ReadProblem problem = ReadProblem::None;
    bool cutShort = false;  // a file of ours cut short: what it held whole was read
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

    // A text at the bottom; one there already moves down; the oldest go past
    // the limit. While the menu is held still (it is shown), texts wait until
    // it is let go: Enter must paste the entry that is highlighted.
    void Add(std::string_view text);
    void HoldStill(bool held);
    bool HasWaiting() const { return !waiting_.empty(); }
    void Trim();
    void Clear();
    std::vector<std::string> Texts() const;

    // A file that could not be read is not written over: it is read again
    // first, and once it can be, its entries go before this session's.
    SaveOutcome Save(const std::filesystem::path& path);
    // Before a rebuild empties the menu: saved, or kept for the next Load.
    void KeepForRebuild(const std::filesystem::path& path);
    // Fills the empty menu from the file, then with what a rebuild kept.
    HistoryLoad Load(const std::filesystem::path& path);

  private:
    HistoryLoad ReadFile(const std::filesystem::path& path, std::vector<std::string>& texts) const;
    bool MergeFile(const std::filesystem::path& path);
    void AddTexts(const std::vector<std::string>& texts);
    int Limit() const;

    const std::int32_t& limit_;
    HMENU menu_ = nullptr;
    bool writable_ = true;
    bool held_ = false;
    std::vector<std::string> waiting_;
    std::optional<std::vector<std::string>> unsaved_;
};
