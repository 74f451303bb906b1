#include "data/IconCache.h"

ShellIcon IconCache::IconForPath(const std::string& path, int size) {
    for (const auto& [list, count] : imageCounts_) {
        if (shell_.ImageCount(list) == count) continue;
        answers_.clear();
        imageCounts_.clear();
        break;
    }
    auto key = std::make_pair(path, size);
    if (const auto found = answers_.find(key); found != answers_.end()) return found->second;
    const ShellIcon icon = shell_.IconForPath(path, size);
    answers_.emplace(std::move(key), icon);
    if (icon.imageList) imageCounts_[icon.imageList] = icon.imageCount;
    return icon;
}
