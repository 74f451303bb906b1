#include "menus/DeferredIcons.h"

#include "data/PhraseItem.h"

DeferredIcons::DeferredIcons() : previous_(Platform()) { InstallPlatform(this); }

DeferredIcons::~DeferredIcons() { InstallPlatform(&previous_); }

ShellIcon DeferredIcons::IconForPath(const std::string&, int) {
    ++lookups_;
    return {};
}

void DeferredIcons::Parse(PhraseItem& item, std::string_view line) {
    const std::size_t before = lookups_;
    item.Parse(line, false);
    if (lookups_ != before) {
        item.iconHandle = 0;
        item.iconState = -1;
    }
}

void ResolveDeferredIcon(PhraseItem& item) {
    if (item.iconState != -1) return;
    // The stored content is the line already normalised, which parses to the same record.
    if (item.flags & PhraseItem::ItemCommand)
        item.Parse(std::string(item.content), false);
    else
        item.ResolveIcon();
}
